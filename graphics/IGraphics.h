#pragma once

#include "IBitmap.h"
#include "IBlendMode.h"
#include "IColor.h"
#include "IControl.h"
#include "IKeyPress.h"
#include "IMatrix.h"
#include "IMidiMsg.h"
#include "IMouseMod.h"
#include "IPathStyle.h"
#include "IPopupMenu.h"
#include "IRECT.h"
#include "IRECTList.h"
#include "ISVG.h"
#include "IText.h"
#include "ResourceLookup.h"
#include "SharedCachesReference.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stack>
#include <string>
#include <unordered_map>
#include <vector>

class IGEditorDelegate;
class IBubbleControl;
class ICornerResizerControl;
class IFPSDisplayControl;
class IPopupMenuControl;
class ITextEntryControl;
class PlatformFont;

enum EUIResizerMode { kResizeModeScale = 0, kResizeModeSize = 1 };
enum ECursor { kArrowCursor = 0, kSizeNWSECursor = 5 };

using IKeyHandlerFunc = std::function<bool(const IKeyPress& key, bool isUp)>;
using IDisplayTickFunc = std::function<void()>;
using IMsgBoxCompletionHandlerFunc = std::function<void(int)>;
using IAppearanceChangedFunc = std::function<void(int dark)>;
using IMidiSendFunc = std::function<void(const IMidiMsg&)>;
using IControlFunction = std::function<void(IControl&)>;

// The editor's graphics context: owns the controls, decides what is redrawn, holds the
// editor's size and scales and hands input to controls. Drawing and platform services are
// supplied by the backend and platform classes derived from it.
class IGraphics {
public:
  IGraphics(IGEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;
  virtual ~IGraphics();

  // Size and scale
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FPS() const { return mFPS; }
  float DrawScale() const { return mDrawScale; }
  float ScreenScale() const { return mScreenScale; }
  float BackingPixelScale() const { return mScreenScale * mDrawScale; }
  int WindowWidth() const { return static_cast<int>(mWidth * mDrawScale); }
  int WindowHeight() const { return static_cast<int>(mHeight * mDrawScale); }
  float GetMinDrawScale() const { return mMinScale; }
  float GetMaxDrawScale() const { return mMaxScale; }
  IGEditorDelegate* GetDelegate() const { return mDelegate; }
  void Resize(int w, int h, float scale, bool needsPlatformResize = true);
  void SetScreenScale(float scale);
  // The window the host gives the editor, in device pixels: the picture scales to fit it
  // within the draw-scale range, keeping its aspect ratio, and sits at its top left with the
  // surround colour in the rest. Nothing is asked of the host; the delegate's editor size
  // records the picture's new size. A size the editor asks for itself (Resize with a platform
  // resize, SetScreenScale) gives the window the picture's size again.
  void FitToWindow(int widthPx, int heightPx);
  // The picture in device pixels: UI size × draw scale, whole points, × screen scale.
  int PictureWidthPx() const;
  int PictureHeightPx() const;
  // The whole window in device pixels: the host's while it gave one, else the picture's.
  int SurfaceWidthPx() const { return mSurfaceWidthPx > 0 ? mSurfaceWidthPx : PictureWidthPx(); }
  int SurfaceHeightPx() const {
    return mSurfaceHeightPx > 0 ? mSurfaceHeightPx : PictureHeightPx();
  }
  // What the window shows where the picture does not reach.
  static constexpr IColor kSurroundColor = IColor(255, 24, 21, 19);
  void DragResize(float x, float y);
  void FinishDragResize();
  bool GetResizingInProcess() const { return mResizingInProcess; }
  void SetResizingInProcess(bool resizing) { mResizingInProcess = resizing; }
  EUIResizerMode GetResizerMode() const { return mResizerMode; }

  // Controls
  IControl* AddControl(IControl* control, int tag = kNoTag, const char* group = "");
  // The image, drawn first and never hit before any other control: inserted at index 0,
  // without a tag and without its attach hook.
  void AddBackground(const char* fileName);
  void AddCornerResizer(EUIResizerMode mode = kResizeModeScale, bool layoutOnResize = false,
                        const IColor& color = COLOR_TRANSLUCENT,
                        const IColor& mouseOverColor = COLOR_BLACK,
                        const IColor& dragColor = COLOR_BLACK, float size = 20.f);
  // The special controls of other kinds are made elsewhere and handed over here; each
  // takes ownership. A second text entry or popup control is deleted, not attached.
  void AddTextEntryControl(ITextEntryControl* control);
  // The in-editor text field that takes every typed value of this editor.
  void AddTextEntryControl();
  void AttachPopupMenuControl(IPopupMenuControl* control);
  // Value bubbles: the first follows the mouse, each further one the touch of its index.
  void AttachBubbleControl(IBubbleControl* control);
  int BubbleControlCount() const { return static_cast<int>(mBubbleControls.size()); }
  IBubbleControl* GetBubbleControl(int index = 0) const;
  void ShowFrameTimeDisplay(bool enable = true);
  IControl* ControlAt(int index) const;
  int ControlCount() const { return static_cast<int>(mControls.size()); }
  IControl* FindControlByTag(int tag) const;
  int IndexOfControl(const IControl* control) const;
  ICornerResizerControl* GetCornerResizer() const { return mCornerResizer.get(); }
  ITextEntryControl* GetTextEntryControl() const { return mTextEntryControl.get(); }
  IPopupMenuControl* GetPopupMenuControl() const { return mPopupMenuControl.get(); }
  IFPSDisplayControl* GetPerfDisplay() const { return mPerfDisplay.get(); }
  void DeleteControl(IControl* control);
  void DeleteControl(int index);
  void DeleteControlsFrom(int fromIndex);
  void DeleteControlByTag(int tag);
  void PlaceControl(int index, const IRECT& r);
  void MoveControl(int index, float x, float y);
  void SizeControl(int index, float w, float h);

  void VisitAllControls(const IControlFunction& func);
  template <class T, class... Args> void ForAllControls(T method, Args... args) {
    VisitAllControls([&](IControl& c) { (c.*method)(args...); });
  }
  void ForMatchingControls(int paramIdx, const IControlFunction& func);
  template <class T, class... Args> void ForMatchingControls(T method, int paramIdx, Args... args) {
    ForMatchingControls(paramIdx, [&](IControl& c) { (c.*method)(args...); });
  }
  void HideControl(int paramIdx, bool hide);
  void DisableControl(int paramIdx, bool disable);
  void MarkAllDirty();
  void MarkAllClean();
  void UpdatePeers(IControl* caller, int valIdx);
  void AssignParamNameToolTips();

  void SetHoverTracking(bool enable) { mEnableMouseOver = enable; }
  bool GetHoverTracking() const { return mEnableMouseOver; }
  void SetTooltipsEnabled(bool enable);
  bool GetTooltipsEnabled() const { return mEnableTooltips; }
  void SetStrictRedraw(bool strict);
  void SetFallbackKeyHandler(IKeyHandlerFunc func) { mKeyHandlerFunc = std::move(func); }
  void SetTickFunction(IDisplayTickFunc func) { mDisplayTickFunc = std::move(func); }
  void SetAppearanceChangedFunc(IAppearanceChangedFunc func) {
    mAppearanceChangedFunc = std::move(func);
  }
  const IAppearanceChangedFunc& GetAppearanceChangedFunc() const { return mAppearanceChangedFunc; }
  void SetQwertyMidiKeyHandlerFunc(IMidiSendFunc func = nullptr);
  void SetSharedResourcesSubPath(const char* path) { mSharedResourcesSubPath = path ? path : ""; }
  const char* GetSharedResourcesSubPath() const { return mSharedResourcesSubPath.c_str(); }
  void SetLayoutOnResize(bool layout) { mLayoutOnResize = layout; }
  bool GetLayoutOnResize() const { return mLayoutOnResize; }
  int GetCursorType() const { return mCursorType; }
  bool CursorIsHidden() const { return mCursorHidden; }
  void SetTabletInput(bool tablet) { mTabletInput = tablet; }
  bool GetTabletInput() const { return mTabletInput; }
  int GetLastAutomationParam() const { return mLastAutomationParam; }

  // Display ticks: the platform clears rects, asks IsDirty and, when true, cleans all
  // controls and calls Draw.
  bool IsDirty(IRECTList& rects);
  void Draw(IRECTList& rects);
  void RenderControl(IControl* control, const IRECT& bounds, float scale);
  const IRECT& GetClipRECT() const { return mClipRECT; }
  double GetPrevFrameTime() const { return mPrevTimestamp; }
  // Frames drawn since the context was made: what an idle editor costs shows here.
  uint64_t DrawnFrameCount() const { return mDrawnFrames; }

  // Drawing entry points for controls
  void PaintBitmap(const IBitmapHandle& bitmap, const IRECT& bounds, int frame,
                   const IBlendMode* blend = nullptr);
  void PaintRotatedBitmap(const IBitmapHandle& bitmap, float centreX, float centreY,
                          double angleDegrees, const IBlendMode* blend = nullptr);
  void PaintFittedBitmap(const IBitmapHandle& bitmap, const IRECT& bounds,
                         const IBlendMode* blend = nullptr);
  void FillRect(const IColor& color, const IRECT& r, const IBlendMode* blend = nullptr);
  void DrawRect(const IColor& color, const IRECT& r, const IBlendMode* blend = nullptr,
                float thickness = 1.f);
  void FillCircle(const IColor& color, float cx, float cy, float r,
                  const IBlendMode* blend = nullptr);
  void DrawCircle(const IColor& color, float cx, float cy, float r,
                  const IBlendMode* blend = nullptr, float thickness = 1.f);
  void FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                    const IBlendMode* blend = nullptr);
  void DrawLine(const IColor& color, float x1, float y1, float x2, float y2,
                const IBlendMode* blend = nullptr, float thickness = 1.f);
  void DrawText(const IText& text, const char* str, const IRECT& bounds,
                const IBlendMode* blend = nullptr);
  void PathTransformSave();
  void PathTransformRestore();
  void PathTransformReset();
  void PathTransformTranslate(float x, float y);
  void PathTransformRotate(float angleDegrees);
  void PathTransformScale(float x, float y);
  const IMatrix& GetTransform() const { return mTransform; }

  // Resources: files in the bundle's resources, the shared resources folder or at an
  // absolute path. A missing or unusable file gives an empty result, never an error.
  // The bitmap of name at targetScale (0: the screen's density), from the best density
  // variant on disk; bitmaps are shared by every context of the process.
  virtual IBitmapHandle LoadBitmapResource(const char* name, int frames = 1,
                                           bool framesAreHorizontal = false, int targetScale = 0);
  // The same bitmap reloaded for the current screen scale.
  IBitmapHandle BitmapAtScale(const IBitmapHandle& bitmap);
  // Puts a bitmap made elsewhere into the shared cache under (name, its scale); when that
  // entry exists already, it is kept and the new bitmap is deleted.
  IBitmapHandle CacheBitmap(std::unique_ptr<APIBitmap> bitmap, const char* name, int frames = 1,
                            bool framesAreHorizontal = false);
  // Deletes the shared cache's bitmap of the handle; handles to it must no longer be drawn.
  void UncacheBitmap(const IBitmapHandle& bitmap);
  // The whole file name.type; empty when not found or not readable.
  std::vector<uint8_t> ReadResource(const char* name, const char* type) const;
  bool LoadFontResource(const char* fontID, const char* fileName);
  ISVG LoadSvgResource(const char* fileName, const char* units = "px", float dpi = 72.f);

  // Input, called by the platform view with positions in UI units
  void OnMouseDown(const IMouseInfoList& points);
  void OnMouseUp(const IMouseInfoList& points);
  void OnMouseDrag(const IMouseInfoList& points);
  void OnTouchCancelled(const IMouseInfoList& points);
  bool OnMouseDblClick(float x, float y, const IMouseMod& mod);
  bool OnMouseOver(float x, float y, const IMouseMod& mod);
  void OnMouseOut();
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta);
  bool OnKeyDown(float x, float y, const IKeyPress& key);
  bool OnKeyUp(float x, float y, const IKeyPress& key);
  void OnDrop(const char* data, float x, float y);
  void OnGestureEvent(const IGestureInfo& info);
  bool WantsGesture(float x, float y) const;
  void ReleaseCapture();
  bool IsControlCaptured(const IControl* control) const;
  bool ControlIsCaptured() const { return !mCapturedMap.empty(); }
  int ControlIndexUnderPointer(float x, float y, bool mouseOver = false) const;
  IControl* ControlUnderPointer(float x, float y, bool capture = false, bool mouseOver = false,
                                uintptr_t touchId = 0);
  IControl* GetMouseOverControl() const { return mMouseOver; }
  int GetMouseOverIdx() const { return mMouseOverIdx; }
  float GetMouseDownX() const { return mMouseDownX; }
  float GetMouseDownY() const { return mMouseDownY; }
  IControl* GetControlInTextEntry() const { return mInTextEntry; }
  IControl* GetControlInPopup() const { return mInPopupMenu; }

  // Prompts and their completions
  void PromptForValue(IControl& control, const IRECT& bounds, int valIdx);
  void CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx = 0);
  void CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds,
                       const char* str = "", int valIdx = 0);
  void FinishTextEntry(const char* str);
  void FinishPopupMenu(IPopupMenu* menu);
  void ShowHostParamMenu(IControl& control, int paramIdx, float x, float y);
  IPopupMenu& GetPromptMenu() { return mPromptPopupMenu; }
  // Ends a text entry without applying its text.
  void ClearInTextEntryControl() { mInTextEntry = nullptr; }

  // Drawing backend
  virtual void BeginFrame();
  virtual void EndFrame() = 0;
  virtual void DrawBitmapRegion(const IBitmapHandle& bitmap, const IRECT& dest, int srcX, int srcY,
                                const IBlendMode* blend) = 0;
  virtual void ClearPath() = 0;
  virtual void ClosePath() = 0;
  virtual void AddArc(int winding, float cx, float cy, float r, float angle1, float angle2) = 0;
  virtual void MoveTo(float x, float y) = 0;
  virtual void LineTo(float x, float y) = 0;
  virtual void StrokePath(const IFillPattern& pattern, float thickness, const IStrokeStyle& style,
                          const IBlendMode* blend) = 0;
  virtual void FillPath(const IFillPattern& pattern, const IFillStyle& style,
                        const IBlendMode* blend) = 0;
  virtual void SetPathTransform(const IMatrix& matrix) = 0;
  virtual void SetClipRect(const IRECT& r) = 0;
  virtual void ResizeDrawSurface() = 0;
  virtual float MeasureTextBounds(const IText& text, const char* str, IRECT& bounds) = 0;
  virtual void RenderText(const IText& text, const char* str, const IRECT& bounds,
                          const IBlendMode* blend) = 0;

  // Bitmaps and fonts; the defaults suit a backend that decodes and registers nothing.
  // A new bitmap decoded from the file (owned by the caller), or null.
  virtual APIBitmap* CreateBackendBitmapFromFile(const char* path, int scale,
                                                 EResourceLocation location, const char* extension);
  // A new bitmap of widthPx by heightPx pixels at targetScale with source drawn into it to
  // fill it, or null when the backend cannot draw into bitmaps.
  virtual std::unique_ptr<APIBitmap> ScaleBitmap(const APIBitmap& source, int widthPx, int heightPx,
                                                 int targetScale);
  virtual bool RegisterFontWithBackend(const char* fontID, const PlatformFont& font);

  // Platform
  virtual void* OpenEditorWindow(void* parent) = 0;
  virtual void CloseEditorWindow() = 0;
  // Overrides hide or show the real cursor and must call this to keep the hidden flag.
  virtual void SetCursorHidden(bool hide, bool lock);
  // Overrides set the real cursor and must call this, which records the kind and
  // returns the kind that was active.
  virtual int ChangeCursorShape(int kind);
  virtual void ReadMouseLocation(float& x, float& y) const = 0;
  virtual void ResizeEditorView() = 0;
  virtual void ShowNativeTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                   const char* str) = 0;
  // Returns the chosen menu (possibly a submenu) or null; isAsync is set when the
  // platform completes later through FinishPopupMenu.
  virtual IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) = 0;
  // The system clipboard's text; false (and empty text) when there is none or no clipboard.
  virtual bool ReadClipboardText(std::string& text) {
    text.clear();
    return false;
  }
  virtual bool WriteClipboardText(const char*) { return false; }
  // The in-editor text field needs the keyboard while it edits and returns it when done.
  virtual void SetTextEntryFocus(bool) {}
  virtual bool SupportsImageExtension(const char* extension) const = 0;
  virtual const char* BundleIdentifier() const = 0;
  // Keeps what the native text field needs of a font the backend accepted.
  virtual void StoreFontDescriptor(const char* fontID, const PlatformFont& font);
  virtual void UpdateTooltips() = 0;

protected:
  void UpdateBubbles();
  void BeginRegion(const IRECT& clip);
  void EndRegion(const IRECT& clip);
  void AttachSpecial(IControl& control);
  void RemoveReferences(IControl* control);
  // The control the pointer rested on before a resize need not be under it after one: the
  // hover and its bubble go until the pointer moves again.
  void ForgetHover();

  // First, so that it is released last, once nothing of this context draws any more.
  SharedCachesReference mSharedCaches;
  std::vector<std::unique_ptr<IControl>> mControls;
  std::unordered_map<int, IControl*> mCtrlTags;
  std::unique_ptr<ICornerResizerControl> mCornerResizer;
  std::vector<std::unique_ptr<IBubbleControl>> mBubbleControls;
  std::unique_ptr<IPopupMenuControl> mPopupMenuControl;
  std::unique_ptr<IFPSDisplayControl> mPerfDisplay;
  std::unique_ptr<ITextEntryControl> mTextEntryControl;
  IPopupMenu mPromptPopupMenu;
  std::string mSharedResourcesSubPath;
  int mCursorType = kArrowCursor;
  int mWidth;
  int mHeight;
  int mFPS;
  float mScreenScale = 1.f;
  float mDrawScale;
  int mSurfaceWidthPx = 0; // the host's window while it gave one, else 0
  int mSurfaceHeightPx = 0;
  std::vector<int> mRegisteredGestures;
  IRECTList mGestureRegions;
  std::unordered_map<int, std::function<void(const IGestureInfo&)>> mGestureRegionFuncs;
  std::unordered_map<uintptr_t, IControl*> mCapturedMap;
  IControl* mMouseOver = nullptr;
  IControl* mInTextEntry = nullptr;
  IControl* mInPopupMenu = nullptr;
  int mTextEntryValIdx = kNoValIdx;
  int mPopupMenuValIdx = kNoValIdx;
  int mMouseOverIdx = -1;
  float mMouseDownX = -1.f;
  float mMouseDownY = -1.f;
  float mMinScale;
  float mMaxScale;
  int mLastAutomationParam = -1;
  bool mEnableMouseOver = false;
  bool mStrict = false;
  bool mEnableTooltips = false;
  bool mResizingInProcess = false;
  bool mLayoutOnResize = false;
  bool mEnableMultiTouch = false;
  EUIResizerMode mResizerMode = kResizeModeScale;
  double mPrevTimestamp = 0.;
  uint64_t mDrawnFrames = 0;
  IKeyHandlerFunc mKeyHandlerFunc;
  IDisplayTickFunc mDisplayTickFunc;
  IAppearanceChangedFunc mAppearanceChangedFunc;
  IGEditorDelegate* mDelegate;
  bool mCursorHidden = false;
  bool mTabletInput = false;
  float mCursorLockX = -1.f;
  float mCursorLockY = -1.f;
  IRECT mClipRECT;
  IMatrix mTransform;
  std::stack<IMatrix> mTransformStates;
};
