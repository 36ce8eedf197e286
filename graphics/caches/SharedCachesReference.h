#pragma once

// A graphics context's hold on the process-wide bitmap and SVG caches: taken at
// construction, given back at destruction, when the last holder empties both caches.
// Both mutexes are taken nested, the bitmap cache's first, as everywhere both are held.
class SharedCachesReference {
public:
  SharedCachesReference();
  ~SharedCachesReference();
  SharedCachesReference(const SharedCachesReference&) = delete;
  SharedCachesReference& operator=(const SharedCachesReference&) = delete;
};
