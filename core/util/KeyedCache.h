#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Loaded resources by name and scale, owned here and kept by reference count: the holders
// that exist retain it, and the release that brings the count to 0 deletes every entry.
//
// Locking: the cache's own mutex guards entries and count, and every operation below runs
// with it held by the caller. The cache never locks for itself, because a load is "find,
// decode, add" and must be one step: two editors opening at once would otherwise both decode
// the same image, and a rescaled copy is made and stored while the lock is already held.
// Unreferenced() alone takes the mutex, since the process-wide sweep calls it from outside.
template <class T> class KeyedCache {
public:
  KeyedCache() = default;
  KeyedCache(const KeyedCache&) = delete;
  KeyedCache& operator=(const KeyedCache&) = delete;

  std::mutex& Mutex() { return mMutex; }

  void Retain() { ++mRefCount; }
  void Release() {
    // An unbalanced release must not drive the count negative and keep the entries forever.
    if (mRefCount == 0) return;
    if (--mRefCount == 0) Clear();
  }
  int RefCount() const { return mRefCount; }
  bool Unreferenced() {
    std::lock_guard<std::mutex> lock(mMutex);
    return mRefCount == 0;
  }

  // The item cached for (name, scale), or null.
  T* Find(const std::string& name, double scale) const {
    const size_t hash = KeyHash(name, scale);
    for (const Entry& entry : mEntries)
      if (entry.keyHash == hash && entry.scale == scale && entry.name == name)
        return entry.item.get();
    return nullptr;
  }

  // Takes ownership of item under (name, scale). An entry already there is kept, since
  // handles to it may be held, and the new item is deleted; the cached item is returned.
  T* Add(const std::string& name, double scale, std::unique_ptr<T> item) {
    if (T* existing = Find(name, scale)) return existing;
    if (!item) return nullptr;
    mEntries.push_back({KeyHash(name, scale), name, scale, std::move(item)});
    return mEntries.back().item.get();
  }

  // Deletes the entry holding item; false when no entry holds it.
  bool Remove(const T* item) {
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it) {
      if (it->item.get() == item) {
        mEntries.erase(it);
        return true;
      }
    }
    return false;
  }

  void Clear() { mEntries.clear(); }
  size_t Size() const { return mEntries.size(); }

  // The hashed key text: the name followed by the scale printed with "-%.1fx"
  // (Nuppi.png at 2 is Nuppi.png-2.0x).
  static size_t KeyHash(const std::string& name, double scale) {
    char suffix[64];
    std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
    return std::hash<std::string>()(name + suffix);
  }

private:
  struct Entry {
    size_t keyHash;
    std::string name;
    double scale;
    std::unique_ptr<T> item;
  };

  std::mutex mMutex;
  std::vector<Entry> mEntries;
  int mRefCount = 0;
};

// A keyed cache used through whole operations only (the font caches): the counting and size
// calls below take the cache's mutex themselves, and so must every lookup or store the
// derived class adds, under Mutex().
template <class T> class SelfLockingKeyedCache {
public:
  void Retain() {
    std::lock_guard<std::mutex> lock(Mutex());
    mCache.Retain();
  }
  void Release() {
    std::lock_guard<std::mutex> lock(Mutex());
    mCache.Release();
  }
  int RefCount() {
    std::lock_guard<std::mutex> lock(Mutex());
    return mCache.RefCount();
  }
  size_t Size() {
    std::lock_guard<std::mutex> lock(Mutex());
    return mCache.Size();
  }
  bool Unreferenced() { return mCache.Unreferenced(); }
  std::mutex& Mutex() { return mCache.Mutex(); }

protected:
  // Entries are kept at scale 1 only; the scale is part of the key as for bitmaps.
  static constexpr double kScale = 1.0;

  KeyedCache<T> mCache;
};
