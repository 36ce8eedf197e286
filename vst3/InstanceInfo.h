#pragma once

// What a plug-in API may hand an instance at creation. The VST 3 build passes nothing in it.
struct InstanceInfo {};
