#pragma once

// Direction of a channel or bus.
enum ERoute { kInput = 0, kOutput = 1 };
