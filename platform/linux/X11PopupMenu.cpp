#include "X11PopupMenu.h"

#include "FontDataCache.h"
#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "NanoVGGL.h"
#include "X11ErrorTrap.h"

#include <GL/glx.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTextInset = 24.f; // room for the check mark
constexpr float kIndent = 12.f;
constexpr float kArrowRoom = 22.f;
constexpr int kBorder = 1;
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            KeyPressMask | StructureNotifyMask;

// Makes the menu's context current and gives the thread back whatever it had, with every X
// and GLX request of the scope under an X error trap.
class CurrentContext {
public:
  CurrentContext(Display* dpy, Window window, void* context)
      : mTrap(dpy), mPrevDisplay(glXGetCurrentDisplay()), mPrevContext(glXGetCurrentContext()),
        mPrevDraw(glXGetCurrentDrawable()), mPrevRead(glXGetCurrentReadDrawable()) {
    glXMakeCurrent(dpy, window, static_cast<GLXContext>(context));
    mDisplay = dpy;
  }
  ~CurrentContext() {
    if (mPrevDisplay && mPrevContext)
      glXMakeContextCurrent(mPrevDisplay, mPrevDraw, mPrevRead, mPrevContext);
    else
      glXMakeCurrent(mDisplay, None, nullptr);
  }
  CurrentContext(const CurrentContext&) = delete;
  CurrentContext& operator=(const CurrentContext&) = delete;

private:
  X11ErrorTrap mTrap;
  Display* mPrevDisplay;
  GLXContext mPrevContext;
  GLXDrawable mPrevDraw;
  GLXDrawable mPrevRead;
  Display* mDisplay = nullptr;
};

} // namespace

X11PopupMenu::X11PopupMenu(IPopupMenu& menu, EditorRunLoop& loop, Completion completion)
    : mMenu(menu), mLoop(loop), mCompletion(std::move(completion)) {}

X11PopupMenu::~X11PopupMenu() {
  *mAlive = false;
  Release();
}

std::unique_ptr<X11PopupMenu> X11PopupMenu::ShowFor(IGraphicsLinux& graphics, IPopupMenu& menu,
                                                    const IRECT& bounds, EditorRunLoop& loop) {
  IGraphicsView_vKelvora_vst3* view = graphics.EditorViewHandle();
  if (!view) return nullptr;
  std::vector<uint8_t> font;
  {
    FontDataCache& cache = FontDataCache::Instance();
    std::lock_guard<std::mutex> lock(cache.Mutex());
    if (const FontFaceData* data = cache.FindLocked(IText().mFont)) font = data->data;
  }
  int x = 0, y = 0, w = 0, h = 0;
  IGraphicsView_vKelvora_vst3::FrameOf(bounds, graphics.PixelsPerUnit(), x, y, w, h);
  IGraphicsLinux* g = &graphics;
  auto popup = std::make_unique<X11PopupMenu>(menu, loop, [g](IPopupMenu* chosen) {
    if (chosen) chosen->ExecFunction();
    g->FinishPopupMenu(chosen);
  });
  if (!popup->Open(DisplayString(view->GetDisplay()), view->GetWindow(), x, y + h + 4, font))
    return nullptr;
  return popup;
}

bool X11PopupMenu::Open(const char* displayName, Window anchor, int xPx, int yPx,
                        const std::vector<uint8_t>& fontData) {
  Release();
  mDisplay = XOpenDisplay(displayName);
  if (!mDisplay) return false;
  int attribs[] = {GLX_RGBA,
                   GLX_DOUBLEBUFFER,
                   GLX_RED_SIZE,
                   8,
                   GLX_GREEN_SIZE,
                   8,
                   GLX_BLUE_SIZE,
                   8,
                   GLX_STENCIL_SIZE,
                   8,
                   None};
  mVisual = glXChooseVisual(mDisplay, DefaultScreen(mDisplay), attribs);
  if (mVisual) mContext = glXCreateContext(mDisplay, mVisual, nullptr, True);
  if (!mContext) {
    Release();
    return false;
  }
  mColormap = XCreateColormap(mDisplay, DefaultRootWindow(mDisplay), mVisual->visual, AllocNone);
  mFontData = fontData;
  mRoot = std::make_unique<IGraphicsMenu_vKelvora_vst3>(mMenu, mReceiver);
  int rootX = xPx, rootY = yPx;
  {
    X11ErrorTrap trap(mDisplay);
    Window child = 0;
    if (anchor)
      XTranslateCoordinates(mDisplay, anchor, DefaultRootWindow(mDisplay), xPx, yPx, &rootX, &rootY,
                            &child);
  }
  if (!OpenLevel(*mRoot, rootX, rootY, -1)) {
    Release();
    return false;
  }
  std::shared_ptr<bool> alive = mAlive;
  mFdId = mLoop.RegisterFileDescriptor(ConnectionNumber(mDisplay), [this, alive] {
    if (*alive) ProcessEvents();
  });
  TryGrab();
  // The click that opened the menu may still hold the pointer: the grab is tried again.
  if (!mGrabbed)
    mTimerId = mLoop.RegisterTimer(kGrabRetryMs, [this, alive] {
      if (*alive) TryGrab();
    });
  return true;
}

void X11PopupMenu::TryGrab() {
  if (!mDisplay || mLevels.empty() || mGrabbed) return;
  const Window w = mLevels.front().window;
  const int pointer =
      XGrabPointer(mDisplay, w, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                   GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  const int keyboard = XGrabKeyboard(mDisplay, w, True, GrabModeAsync, GrabModeAsync, CurrentTime);
  if (pointer == GrabSuccess && keyboard == GrabSuccess) {
    mGrabbed = true;
    mLoop.Unregister(mTimerId);
    mTimerId = EditorRunLoop::kNoId;
  } else {
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
  }
  XFlush(mDisplay);
}

bool X11PopupMenu::OpenLevel(const IGraphicsMenu_vKelvora_vst3& menu, int x, int y, int parentRow) {
  Level level;
  level.menu = &menu;
  level.parentRow = parentRow;
  XSetWindowAttributes wa{};
  wa.override_redirect = True;
  wa.colormap = mColormap;
  wa.event_mask = kEventMask;
  wa.border_pixel = 0;
  level.window = XCreateWindow(mDisplay, DefaultRootWindow(mDisplay), x, y, 1, 1, 0, mVisual->depth,
                               InputOutput, mVisual->visual,
                               CWOverrideRedirect | CWColormap | CWEventMask | CWBorderPixel, &wa);
  if (!level.window) return false;
  float width = kMinWidth;
  float top = static_cast<float>(kBorder);
  {
    CurrentContext current(mDisplay, level.window, mContext);
    if (!mVG) {
      mVG = nvgCreateGL2(NVG_ANTIALIAS | NVG_STENCIL_STROKES);
      if (mVG && !mFontData.empty())
        mFont =
            nvgCreateFontMem(mVG, "menu", mFontData.data(), static_cast<int>(mFontData.size()), 0);
    }
    for (int i = 0; i < menu.NRows(); ++i) {
      const IGraphicsMenu_vKelvora_vst3::Row* row = menu.GetRow(i);
      level.rowTops.push_back(top);
      top += row->separator ? kSeparatorHeight : kRowHeight;
      if (!mVG || mFont < 0 || row->separator) continue;
      nvgFontFaceId(mVG, mFont);
      nvgFontSize(mVG, kTextSize);
      const float textWidth = nvgTextBounds(mVG, 0.f, 0.f, row->title.c_str(), nullptr, nullptr);
      width = std::max(width, kTextInset + row->indentation * kIndent + textWidth + kArrowRoom);
    }
  }
  level.rowTops.push_back(top);
  level.w = static_cast<int>(std::ceil(width)) + 2 * kBorder;
  level.h = std::max(static_cast<int>(std::ceil(top)) + kBorder, 2 * kBorder + 1);
  // Kept on the screen: a level that would leave it moves back inside.
  const int screenW = DisplayWidth(mDisplay, DefaultScreen(mDisplay));
  const int screenH = DisplayHeight(mDisplay, DefaultScreen(mDisplay));
  level.x = std::max(0, std::min(x, screenW - level.w));
  level.y = std::max(0, std::min(y, screenH - level.h));
  XMoveResizeWindow(mDisplay, level.window, level.x, level.y, static_cast<unsigned>(level.w),
                    static_cast<unsigned>(level.h));
  XMapRaised(mDisplay, level.window);
  XFlush(mDisplay);
  mLevels.push_back(std::move(level));
  return true;
}

void X11PopupMenu::CloseLevelsFrom(int level) {
  while (static_cast<int>(mLevels.size()) > std::max(level, 0)) {
    XDestroyWindow(mDisplay, mLevels.back().window);
    mLevels.pop_back();
  }
  XFlush(mDisplay);
}

void X11PopupMenu::OpenSubmenuOf(int level, bool highlightFirst) {
  const Level& parent = mLevels[static_cast<size_t>(level)];
  const IGraphicsMenu_vKelvora_vst3::Row* row = parent.menu->GetRow(parent.highlighted);
  if (!row || !row->submenu || !parent.menu->IsHighlightable(parent.highlighted)) return;
  if (Levels() > level + 1 &&
      mLevels[static_cast<size_t>(level) + 1].parentRow == parent.highlighted)
    return;
  CloseLevelsFrom(level + 1);
  const int x = parent.x + parent.w - 2;
  const int y = parent.y +
                static_cast<int>(parent.rowTops[static_cast<size_t>(parent.highlighted)]) - kBorder;
  const int parentRow = parent.highlighted;
  if (!OpenLevel(*row->submenu, x, y, parentRow)) return;
  if (highlightFirst) MoveHighlight(level + 1, 1);
}

int X11PopupMenu::RowAt(const Level& level, int rootY) const {
  const float y = static_cast<float>(rootY - level.y);
  for (int i = 0; i + 1 < static_cast<int>(level.rowTops.size()); ++i)
    if (y >= level.rowTops[static_cast<size_t>(i)] && y < level.rowTops[static_cast<size_t>(i) + 1])
      return i;
  return -1;
}

void X11PopupMenu::ProcessEvents() {
  std::shared_ptr<bool> alive = mAlive;
  while (*alive && mDisplay && XPending(mDisplay)) {
    XEvent event;
    XNextEvent(mDisplay, &event);
    HandleEvent(event);
  }
}

void X11PopupMenu::HandleEvent(const XEvent& event) {
  switch (event.type) {
  case Expose:
    if (event.xexpose.count == 0)
      for (const Level& level : mLevels)
        if (level.window == event.xexpose.window) Draw(level);
    break;
  case MotionNotify:
    OnPointer(event.xmotion.x_root, event.xmotion.y_root, false, false);
    break;
  case ButtonPress:
    OnPointer(event.xbutton.x_root, event.xbutton.y_root, false, true);
    break;
  case ButtonRelease:
    OnPointer(event.xbutton.x_root, event.xbutton.y_root, true, false);
    break;
  case KeyPress:
    OnKey(event.xkey);
    break;
  default:
    break;
  }
}

void X11PopupMenu::OnPointer(int rootX, int rootY, bool release, bool press) {
  int hitLevel = -1;
  for (int i = Levels() - 1; i >= 0 && hitLevel < 0; --i) {
    const Level& l = mLevels[static_cast<size_t>(i)];
    if (rootX >= l.x && rootX < l.x + l.w && rootY >= l.y && rootY < l.y + l.h) hitLevel = i;
  }
  if (hitLevel < 0) {
    if (press) Finish(nullptr);
    return;
  }
  if (press) mPressedInside = true;
  Level& level = mLevels[static_cast<size_t>(hitLevel)];
  // Opening a submenu below adds a level, which may move this one.
  const IGraphicsMenu_vKelvora_vst3* menu = level.menu;
  const int row = RowAt(level, rootY);
  const int highlight = level.menu->IsHighlightable(row) ? row : -1;
  if (highlight != level.highlighted) {
    level.highlighted = highlight;
    Draw(level);
  }
  if (highlight >= 0 && level.menu->GetRow(highlight)->submenu)
    OpenSubmenuOf(hitLevel, false);
  else if (Levels() > hitLevel + 1 && !release)
    CloseLevelsFrom(hitLevel + 1);
  if (release && mPressedInside && menu->ChooseRow(highlight))
    Finish(IGraphicsMenu_vKelvora_vst3::ChosenMenu(mReceiver));
}

void X11PopupMenu::MoveHighlight(int levelIndex, int direction) {
  Level& level = mLevels[static_cast<size_t>(levelIndex)];
  const int n = level.menu->NRows();
  int row = level.highlighted;
  for (int step = 0; step < n; ++step) {
    row = row < 0 ? (direction > 0 ? 0 : n - 1) : (row + direction + n) % n;
    if (level.menu->IsHighlightable(row)) {
      level.highlighted = row;
      Draw(level);
      return;
    }
  }
}

void X11PopupMenu::OnKey(XKeyEvent event) {
  if (mLevels.empty()) return;
  const KeySym sym = XLookupKeysym(&event, 0);
  const int deepest = Levels() - 1;
  Level& level = mLevels.back();
  switch (sym) {
  case XK_Escape:
    Finish(nullptr);
    return;
  case XK_Up:
  case XK_KP_Up:
    MoveHighlight(deepest, -1);
    return;
  case XK_Down:
  case XK_KP_Down:
    MoveHighlight(deepest, 1);
    return;
  case XK_Left:
  case XK_KP_Left:
    if (deepest > 0) CloseLevelsFrom(deepest);
    return;
  case XK_Right:
  case XK_KP_Right:
    OpenSubmenuOf(deepest, true);
    return;
  case XK_Return:
  case XK_KP_Enter:
  case XK_space:
    if (level.highlighted >= 0 && level.menu->GetRow(level.highlighted)->submenu) {
      OpenSubmenuOf(deepest, true);
      return;
    }
    if (level.menu->ChooseRow(level.highlighted))
      Finish(IGraphicsMenu_vKelvora_vst3::ChosenMenu(mReceiver));
    return;
  default:
    return;
  }
}

void X11PopupMenu::Draw(const Level& level) {
  if (!mVG) return;
  CurrentContext current(mDisplay, level.window, mContext);
  glViewport(0, 0, level.w, level.h);
  glClearColor(0.3f, 0.3f, 0.3f, 1.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  nvgBeginFrame(mVG, static_cast<float>(level.w), static_cast<float>(level.h), 1.f);
  nvgBeginPath(mVG);
  nvgRect(mVG, kBorder, kBorder, level.w - 2.f * kBorder, level.h - 2.f * kBorder);
  nvgFillColor(mVG, nvgRGB(245, 245, 245));
  nvgFill(mVG);
  if (mFont >= 0) {
    nvgFontFaceId(mVG, mFont);
    nvgFontSize(mVG, kTextSize);
  }
  nvgTextAlign(mVG, NVG_ALIGN_LEFT | NVG_ALIGN_MIDDLE);
  const float right = level.w - static_cast<float>(kBorder);
  for (int i = 0; i < level.menu->NRows(); ++i) {
    const IGraphicsMenu_vKelvora_vst3::Row* row = level.menu->GetRow(i);
    const float top = level.rowTops[static_cast<size_t>(i)];
    const float bottom = level.rowTops[static_cast<size_t>(i) + 1];
    const float mid = (top + bottom) / 2.f;
    if (row->separator) {
      nvgBeginPath(mVG);
      nvgRect(mVG, kBorder + 4.f, std::floor(mid), right - kBorder - 8.f, 1.f);
      nvgFillColor(mVG, nvgRGB(200, 200, 200));
      nvgFill(mVG);
      continue;
    }
    const bool lit = i == level.highlighted;
    if (lit) {
      nvgBeginPath(mVG);
      nvgRect(mVG, kBorder, top, right - kBorder, bottom - top);
      nvgFillColor(mVG, nvgRGB(40, 110, 215));
      nvgFill(mVG);
    }
    const NVGcolor ink = !row->enabled ? nvgRGB(150, 150, 150)
                         : lit         ? nvgRGB(255, 255, 255)
                                       : nvgRGB(20, 20, 20);
    if (row->checked) {
      nvgBeginPath(mVG);
      nvgMoveTo(mVG, 8.f, mid);
      nvgLineTo(mVG, 11.f, mid + 4.f);
      nvgLineTo(mVG, 17.f, mid - 5.f);
      nvgStrokeColor(mVG, ink);
      nvgStrokeWidth(mVG, 2.f);
      nvgStroke(mVG);
    }
    if (row->submenu) {
      nvgBeginPath(mVG);
      nvgMoveTo(mVG, right - 14.f, mid - 5.f);
      nvgLineTo(mVG, right - 8.f, mid);
      nvgLineTo(mVG, right - 14.f, mid + 5.f);
      nvgClosePath(mVG);
      nvgFillColor(mVG, ink);
      nvgFill(mVG);
    }
    if (mFont >= 0) {
      nvgFillColor(mVG, ink);
      nvgText(mVG, kTextInset + row->indentation * kIndent, mid, row->title.c_str(), nullptr);
    }
  }
  nvgEndFrame(mVG);
  glXSwapBuffers(mDisplay, level.window);
}

void X11PopupMenu::Finish(IPopupMenu* chosen) {
  Completion completion = std::move(mCompletion);
  Release();
  // The completion may delete this menu: nothing of it is touched afterwards.
  if (completion) completion(chosen);
}

void X11PopupMenu::Release() {
  mLoop.Unregister(mFdId);
  mLoop.Unregister(mTimerId);
  mFdId = mTimerId = EditorRunLoop::kNoId;
  if (!mDisplay) return;
  if (mGrabbed) {
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
    mGrabbed = false;
  }
  if (mVG && !mLevels.empty()) {
    CurrentContext current(mDisplay, mLevels.front().window, mContext);
    nvgDeleteGL2(mVG);
  }
  mVG = nullptr;
  mFont = -1;
  CloseLevelsFrom(0);
  if (mContext) glXDestroyContext(mDisplay, static_cast<GLXContext>(mContext));
  mContext = nullptr;
  if (mColormap) XFreeColormap(mDisplay, mColormap);
  mColormap = 0;
  if (mVisual) XFree(mVisual);
  mVisual = nullptr;
  XCloseDisplay(mDisplay);
  mDisplay = nullptr;
  mRoot.reset();
}

Window X11PopupMenu::LevelWindow(int level) const {
  return level >= 0 && level < Levels() ? mLevels[static_cast<size_t>(level)].window : 0;
}

int X11PopupMenu::Highlighted(int level) const {
  return level >= 0 && level < Levels() ? mLevels[static_cast<size_t>(level)].highlighted : -1;
}

bool X11PopupMenu::RowCentre(int level, int position, int& rootX, int& rootY) const {
  if (level < 0 || level >= Levels()) return false;
  const Level& l = mLevels[static_cast<size_t>(level)];
  if (position < 0 || position + 1 >= static_cast<int>(l.rowTops.size())) return false;
  rootX = l.x + l.w / 2;
  rootY = l.y + static_cast<int>((l.rowTops[static_cast<size_t>(position)] +
                                  l.rowTops[static_cast<size_t>(position) + 1]) /
                                 2.f);
  return true;
}
