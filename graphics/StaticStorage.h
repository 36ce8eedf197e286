#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A process-wide cache of loaded resources by name and scale, shared by every editor of the
// process (several plug-in instances in one host). The graphics contexts that exist keep it
// by reference count; the release that brings the count to 0 deletes every entry. The caller
// holds Mutex() around every other call, the count included.
template <class T> class StaticStorage {
public:
  StaticStorage() = default;
  StaticStorage(const StaticStorage&) = delete;
  StaticStorage& operator=(const StaticStorage&) = delete;

  std::mutex& Mutex() { return mMutex; }

  void Retain() { ++mRefCount; }
  void Release() {
    // An unbalanced release must not drive the count negative and keep the entries forever.
    if (mRefCount == 0) return;
    if (--mRefCount == 0) mEntries.clear();
  }
  int RefCount() const { return mRefCount; }
  // Takes the mutex itself.
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
