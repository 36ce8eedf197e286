#pragma once

#include "EditorRunLoop.h"

#include <functional>

class IPlugAPIBase;

// A window's size in device pixels.
struct PixelSize {
  int width = 0;
  int height = 0;

  bool operator==(const PixelSize& other) const {
    return width == other.width && height == other.height;
  }
  bool operator!=(const PixelSize& other) const { return !(*this == other); }
};

// The size and scale of an editor that a host embeds, whatever the plug-in format and the
// window system. Hosts measure windows in device pixels, the editor in window points (UI size
// times draw scale), and the host's content scale joins the two. This answers the size the
// editor opens at, remembers the size the host last accepted so that a refusal puts the editor
// back, fits the picture into a window the host sizes itself, and ticks the plug-in's idle
// timer on the editor's run loop. A binding translates its host's calls into these and
// supplies the one call that asks its host for a window size. Everything runs on the
// user-interface thread.
class EditorViewSizing {
public:
  enum class HostAnswer { kGranted, kRefused, kNotAsked };
  // Asks the host for a window of this many pixels; kNotAsked when there is no host to ask.
  // The host may report its window through HostResized before it answers.
  using AskHost = std::function<HostAnswer(PixelSize window)>;

  // Content scales beyond these are no screen's: they are held to them.
  static constexpr float kMinContentScale = 0.25f;
  static constexpr float kMaxContentScale = 8.f;
  // Far beyond any screen; a host's larger sizes are held to it.
  static constexpr int kMaxPixels = 1 << 16;

  EditorViewSizing(IPlugAPIBase& plug, AskHost askHost);
  EditorViewSizing(const EditorViewSizing&) = delete;
  EditorViewSizing& operator=(const EditorViewSizing&) = delete;
  ~EditorViewSizing();

  float ContentScale() const { return mContentScale; }
  // A host's content scale: no number or none above 0 is passed over, the rest is held to the
  // range above. The plug-in's editor takes it; an open editor asks the host for its window in
  // the new pixels.
  void SetContentScale(float scale);

  // Window points to device pixels: whole pixels, truncated, as the editor's window has them.
  int ToPixels(int points) const;
  // Device pixels to window points, to the nearest.
  int ToPoints(int pixels) const;

  // The editor's picture in pixels while open; while closed, the size it opens at next (the
  // size it had when it closed, or the configured one), worked out without making an editor.
  PixelSize EditorSize() const;
  // The nearest window to a proposed one that the plug-in's size limits allow, in pixels.
  PixelSize Constrain(PixelSize proposed) const;
  // The host's window as last reported or granted.
  PixelSize Window() const { return mWindow; }
  bool IsOpen() const { return mOpen; }

  // Opens the plug-in's editor in parent (the window system's record of the host's window) and
  // runs the idle tick on loop (none without a loop). Returns the editor's window as the
  // window system knows it; null, with the editor closed again, when none could be made.
  void* Open(void* parent, EditorRunLoop* loop);
  // Stops the tick and closes the plug-in's editor.
  void Close();

  // The editor's own resize: asks the host for the window in pixels. True when the host
  // granted it; a refusal puts the editor back on the next tick, at the last accepted size.
  bool RequestResize(int widthPoints, int heightPoints);
  // The host sized its window: the picture scales to fit it, without asking the host again.
  // Inside the editor's own request a size other than the one asked for is taken on the next
  // tick, as the editor is halfway through its resize.
  void HostResized(PixelSize window);
  // One idle tick: the plug-in's timer, then a pending restore or fit.
  void Idle();

private:
  void RememberAcceptedSize();
  void RestoreAcceptedSize();
  void FitToHost();

  IPlugAPIBase& mPlug;
  const AskHost mAskHost;
  float mContentScale = 1.f;
  bool mOpen = false;
  EditorRunLoop* mLoop = nullptr;
  EditorRunLoop::Id mIdleTimerId = EditorRunLoop::kNoId;
  PixelSize mWindow;
  // The editor's UI size and draw scale that the host last accepted.
  int mAcceptedWidth = 0;
  int mAcceptedHeight = 0;
  float mAcceptedScale = 0.f;
  bool mRestorePending = false;
  // The window the editor is asking the host for, while it asks.
  PixelSize mAsking;
  bool mInRequest = false;
  bool mFitPending = false;
  // Counts the host's reports, so that a request or an opening can tell whether one came.
  unsigned mReports = 0;
};
