#pragma once

// A host that draws with GL itself keeps Mesa's driver loaded for the life of the process;
// without one, the last editor or menu closing its connection would unload the driver and
// strand the driver's own allocations. Call before the first editor opens.
void KeepGLDriverLoaded();
