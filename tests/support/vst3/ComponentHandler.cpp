#include "ComponentHandler.h"

using namespace Steinberg;

namespace KelvoraTestHost {

std::vector<ComponentHandler::Edit> ComponentHandler::edits() const {
  std::lock_guard<std::mutex> lock(mutex);
  return editLog;
}

std::vector<int32> ComponentHandler::restartFlags() const {
  std::lock_guard<std::mutex> lock(mutex);
  return restarts;
}

int ComponentHandler::groupEditsStarted() const {
  std::lock_guard<std::mutex> lock(mutex);
  return groupStarts;
}

int ComponentHandler::groupEditsFinished() const {
  std::lock_guard<std::mutex> lock(mutex);
  return groupFinishes;
}

bool ComponentHandler::dirty() const {
  std::lock_guard<std::mutex> lock(mutex);
  return isDirty;
}

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID id) {
  std::lock_guard<std::mutex> lock(mutex);
  editLog.push_back({EditKind::Begin, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value) {
  std::lock_guard<std::mutex> lock(mutex);
  editLog.push_back({EditKind::Perform, id, value});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID id) {
  std::lock_guard<std::mutex> lock(mutex);
  editLog.push_back({EditKind::End, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
  std::lock_guard<std::mutex> lock(mutex);
  restarts.push_back(flags);
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::setDirty(TBool state) {
  std::lock_guard<std::mutex> lock(mutex);
  isDirty = state != 0;
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::requestOpenEditor(FIDString) {
  return kNotImplemented;
}

tresult PLUGIN_API ComponentHandler::startGroupEdit() {
  std::lock_guard<std::mutex> lock(mutex);
  ++groupStarts;
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::finishGroupEdit() {
  std::lock_guard<std::mutex> lock(mutex);
  ++groupFinishes;
  return kResultOk;
}

Vst::IContextMenu* PLUGIN_API ComponentHandler::createContextMenu(IPlugView*, const Vst::ParamID*) {
  return nullptr;
}

} // namespace KelvoraTestHost
