#include "IGraphics.h"

#include "ITextEntryControl.h"

void IGraphics::AddTextEntryControl() {
  AddTextEntryControl(new ITextEntryControl());
}
