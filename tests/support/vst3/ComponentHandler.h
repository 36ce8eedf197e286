#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <mutex>
#include <vector>

namespace KelvoraTestHost {

// The host side of a plug-in's edit calls: every begin, perform and end edit, group edit and
// restart request is recorded in the order it arrived.
class ComponentHandler : public Steinberg::FObject,
                         public Steinberg::Vst::IComponentHandler,
                         public Steinberg::Vst::IComponentHandler2,
                         public Steinberg::Vst::IComponentHandler3 {
public:
  enum class EditKind { Begin, Perform, End };
  struct Edit {
    EditKind kind;
    Steinberg::Vst::ParamID id;
    Steinberg::Vst::ParamValue value;
  };

  std::vector<Edit> edits() const;
  std::vector<Steinberg::int32> restartFlags() const;
  int groupEditsStarted() const;
  int groupEditsFinished() const;
  bool dirty() const;

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                            Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

  Steinberg::tresult PLUGIN_API setDirty(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API requestOpenEditor(Steinberg::FIDString name) override;
  Steinberg::tresult PLUGIN_API startGroupEdit() override;
  Steinberg::tresult PLUGIN_API finishGroupEdit() override;

  Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu(
      Steinberg::IPlugView* plugView, const Steinberg::Vst::ParamID* paramID) override;

  OBJ_METHODS(ComponentHandler, Steinberg::FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IComponentHandler)
  DEF_INTERFACE(Steinberg::Vst::IComponentHandler2)
  DEF_INTERFACE(Steinberg::Vst::IComponentHandler3)
  END_DEFINE_INTERFACES(Steinberg::FObject)
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  mutable std::mutex mutex;
  std::vector<Edit> editLog;
  std::vector<Steinberg::int32> restarts;
  int groupStarts = 0;
  int groupFinishes = 0;
  bool isDirty = false;
};

} // namespace KelvoraTestHost
