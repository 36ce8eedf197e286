#include "IGraphics.h"

#include "IBitmapControl.h"

#include <memory>

void IGraphics::AddBackground(const char* fileName) {
  const IBitmapHandle bitmap = LoadBitmapResource(fileName, 1, false, 0);
  auto control = std::make_unique<IBitmapControl>(0.f, 0.f, bitmap, kNoParameter, 0);
  AttachSpecial(*control);
  mControls.insert(mControls.begin(), std::move(control));
  // Everything under the pointer moved up by one.
  if (mMouseOverIdx >= 0) ++mMouseOverIdx;
}
