#pragma once
// "Properties " (template 299): each service's host list, the host access
// method with the dedicated host of each service, and the interval after
// which the program moves to another host. Host lists and dedicated hosts
// are edited in memory, across switches between services, until saved.
// Delete, the moves and "&Set" act on the item the list view shows selected.
#include <string>
#include <vector>

#include "config/ConfigPage.h"
#include "settings/ServiceKind.h"
#include "win/ImageList.h"
#include "win/ListView.h"

class CPageISPPropertiesDlg : public ConfigPage {
 public:
  CPageISPPropertiesDlg(SettingsStore& store, PageSet* pages);

  int shownService() const { return shown_; }
  const std::vector<std::string>& hosts(int service) const { return hosts_[service]; }
  const std::string& dedicated(int service) const { return dedicated_[service]; }

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  settings::HostAccessMethod CheckedMethod() const;
  void FillList();
  void FillPriority();
  void StoreList();
  void UpdateSelectionControls();
  void ShowIntervalFields(bool random);
  void ShowNumbers(const DWORD numbers[3]);

  void ShowService(int service);
  void AddHost();
  void DeleteHost();
  void MoveHost(int step);
  void SetDedicated();

  win::ImageList images_;
  win::ListView list_;
  int shown_ = 0;
  std::vector<std::string> hosts_[kServiceCount];
  std::string dedicated_[kServiceCount];
  DWORD numbers_[3] = {15, 90, 60};  // between, and, fixed as stored
};
