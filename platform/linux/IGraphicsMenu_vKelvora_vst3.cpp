#include "IGraphicsMenu_vKelvora_vst3.h"

IGraphicsMenu_vKelvora_vst3::IGraphicsMenu_vKelvora_vst3(IPopupMenu& menu,
                                                         IGraphicsMenuRcvr_vKelvora_vst3& receiver)
    : mMenu(menu), mReceiver(receiver) {
  mRows.reserve(static_cast<size_t>(menu.NItems()));
  for (int i = 0; i < menu.NItems(); ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    Row row;
    row.title = menu.GetItemTitleWithPrefix(i);
    row.separator = item->GetIsSeparator();
    if (!row.separator) {
      if (IPopupMenu* sub = item->GetSubmenu())
        row.submenu = std::make_unique<IGraphicsMenu_vKelvora_vst3>(*sub, receiver);
      row.indentation = item->GetIsTitle() ? 1 : 0;
      row.enabled = item->GetEnabled();
      row.checked = item->GetChecked();
    }
    mRows.push_back(std::move(row));
  }
}

const IGraphicsMenu_vKelvora_vst3::Row* IGraphicsMenu_vKelvora_vst3::GetRow(int position) const {
  if (position < 0 || position >= NRows()) return nullptr;
  return &mRows[static_cast<size_t>(position)];
}

bool IGraphicsMenu_vKelvora_vst3::IsHighlightable(int position) const {
  const Row* row = GetRow(position);
  return row && !row->separator && row->enabled;
}

bool IGraphicsMenu_vKelvora_vst3::IsChoosable(int position) const {
  return IsHighlightable(position) && !GetRow(position)->submenu;
}

bool IGraphicsMenu_vKelvora_vst3::ChooseRow(int position) const {
  if (!IsChoosable(position)) return false;
  mReceiver.OnMenuSelection(*this, position);
  return true;
}

IPopupMenu*
IGraphicsMenu_vKelvora_vst3::ChosenMenu(const IGraphicsMenuRcvr_vKelvora_vst3& receiver) {
  const IGraphicsMenuRcvr_vKelvora_vst3::MenuItem& item = receiver.GetMenuItem();
  if (!item.menu || item.position < 0) return nullptr;
  IPopupMenu& menu = item.menu->GetIPopupMenu();
  menu.SetChosenItemIdx(item.position);
  return &menu;
}
