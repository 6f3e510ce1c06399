#include "config/CPageISPPropertiesDlg.h"

#include "config/CAddHostDlg.h"
#include "res/resource.h"
#include "win/UpDown.h"

namespace {

using settings::HostAccessMethod;

constexpr long kLowestSeconds = 1, kHighestSeconds = 900;
constexpr DWORD kFallbackNumbers[3] = {15, 90, 60};
constexpr int kNumberFields[3] = {IDC_PROP_BETWEEN, IDC_PROP_AND, IDC_PROP_FIXED};
constexpr int kHostsColumnWidth = 134, kPriorityColumnMargin = 151;
constexpr int kSelectionControls[] = {IDC_PROP_MOVE, IDC_PROP_UP_LABEL, IDC_PROP_DOWN_LABEL};

int ServiceRadio(int service) { return IDC_PROP_HTTP + service; }
std::string HostListName(int service) { return "hosts " + std::to_string(service); }
std::string DedicatedName(int service) { return "dedicated " + std::to_string(service); }
constexpr const char* kNumbersName = "interval numbers";
std::string NumbersText(const DWORD numbers[3]) {
  return std::to_string(numbers[0]) + ' ' + std::to_string(numbers[1]) + ' ' + std::to_string(numbers[2]);
}

}  // namespace

CPageISPPropertiesDlg::CPageISPPropertiesDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_ISP_PROPERTIES, store, pages) {}

bool CPageISPPropertiesDlg::OnLoad() {
  images_.LoadStrip(IDB_SERVICES, 16, 1, CLR_NONE);
  list_.Attach(Item(IDC_PROP_HOSTS));
  list_.SetImageList(images_.get(), LVSIL_SMALL);
  SendMessageA(list_.hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  list_.InsertColumn(0, "Hosts", kHostsColumnWidth);
  list_.InsertColumn(1, "Priority", list_.ClientWidth() - kPriorityColumnMargin);

  const int stored = store_.ReadServiceType();
  shown_ = IsServiceIndex(stored) ? stored : 0;
  Loaded(settings::kServiceType, static_cast<DWORD>(shown_));
  for (int s = 0; s < kServiceCount; ++s) SetChecked(ServiceRadio(s), s == shown_);
  for (int s = 0; s < kServiceCount; ++s) {
    hosts_[s].clear();
    store_.ReadHostList(s, hosts_[s]);
    store_.ReadDedicatedHost(s, dedicated_[s]);
    Loaded(HostListName(s), Joined(hosts_[s]));
    Loaded(DedicatedName(s), dedicated_[s]);
  }
  const DWORD method = store_.Read(settings::kAccessType);
  Loaded(settings::kAccessType, method);
  SetChecked(IDC_PROP_SEQUENTIAL, method == static_cast<DWORD>(HostAccessMethod::Sequential));
  SetChecked(IDC_PROP_RANDOM, method == static_cast<DWORD>(HostAccessMethod::Random));
  SetChecked(IDC_PROP_DEDICATED, method == static_cast<DWORD>(HostAccessMethod::Dedicated));
  EnableItem(IDC_PROP_SET, method == static_cast<DWORD>(HostAccessMethod::Dedicated));
  FillList();

  if (store_.ReadIntervalNumbers(numbers_[0], numbers_[1], numbers_[2])) {
    Loaded(kNumbersName, NumbersText(numbers_));
  } else {
    // The scheduler runs on its own presets while the page shows these:
    // saving makes them one.
    for (int i = 0; i < 3; ++i) numbers_[i] = kFallbackNumbers[i];
    MarkModified();
  }
  for (int id : kNumberFields) LimitText(id, 3);
  ShowNumbers(numbers_);
  const DWORD option = store_.Read(settings::kIntervalOption);
  Loaded(settings::kIntervalOption, option);
  SetChecked(IDC_PROP_INTERVAL_RANDOM, option == static_cast<DWORD>(settings::IntervalMode::Random));
  SetChecked(IDC_PROP_INTERVAL_FIXED, option == static_cast<DWORD>(settings::IntervalMode::Fixed));
  ShowIntervalFields(option != static_cast<DWORD>(settings::IntervalMode::Fixed));
  return true;
}

void CPageISPPropertiesDlg::ShowNumbers(const DWORD numbers[3]) {
  for (int i = 0; i < 3; ++i) SetItemText(kNumberFields[i], std::to_string(numbers[i]).c_str());
}

HostAccessMethod CPageISPPropertiesDlg::CheckedMethod() const {
  if (IsChecked(IDC_PROP_RANDOM)) return HostAccessMethod::Random;
  if (IsChecked(IDC_PROP_DEDICATED)) return HostAccessMethod::Dedicated;
  return HostAccessMethod::Sequential;
}

void CPageISPPropertiesDlg::FillList() {
  list_.DeleteAll();
  for (const std::string& host : hosts_[shown_]) list_.InsertItem(list_.Count(), host.c_str(), shown_);
  FillPriority();
  UpdateSelectionControls();
}

void CPageISPPropertiesDlg::FillPriority() {
  const HostAccessMethod method = CheckedMethod();
  for (int i = 0; i < list_.Count(); ++i) {
    const bool dedicated = list_.Text(i) == dedicated_[shown_];
    list_.SetText(i, 1, config::PriorityText(method, i, dedicated).c_str());
  }
}

void CPageISPPropertiesDlg::StoreList() {
  std::vector<std::string>& hosts = hosts_[shown_];
  hosts.clear();
  for (int i = 0; i < list_.Count(); ++i) hosts.push_back(list_.Text(i));
}

void CPageISPPropertiesDlg::UpdateSelectionControls() {
  const bool selected = list_.Selected() >= 0;
  EnableItem(IDC_PROP_DELETE, selected);
  for (int id : kSelectionControls) EnableItem(id, selected && list_.Count() > 1);
}

void CPageISPPropertiesDlg::ShowIntervalFields(bool random) {
  for (int id : {IDC_PROP_BETWEEN_LABEL, IDC_PROP_BETWEEN, IDC_PROP_BETWEEN_UNIT,
                 IDC_PROP_AND_LABEL, IDC_PROP_AND, IDC_PROP_AND_UNIT})
    ShowItem(id, random);
  ShowItem(IDC_PROP_FIXED, !random);
  ShowItem(IDC_PROP_FIXED_UNIT, !random);
}

void CPageISPPropertiesDlg::ShowService(int service) {
  shown_ = service;
  FillList();
  Changed();  // "Service Type" keeps the service last shown
}

void CPageISPPropertiesDlg::AddHost() {
  CAddHostDlg add(shown_);
  if (add.Run(hwnd()) != IDOK) return;
  list_.InsertItem(list_.Count(), add.entry().c_str(), shown_);
  FillPriority();
  StoreList();
  UpdateSelectionControls();
  Changed();
}

void CPageISPPropertiesDlg::DeleteHost() {
  const int selected = list_.Selected();
  if (selected < 0) return;
  if (list_.Text(selected) == dedicated_[shown_]) dedicated_[shown_].clear();
  list_.Delete(selected);
  list_.Select(-1);
  FillPriority();
  StoreList();
  UpdateSelectionControls();
  Changed();
}

void CPageISPPropertiesDlg::MoveHost(int step) {
  const int from = list_.Selected();
  const int to = from + step;
  if (from < 0 || step == 0 || to < 0 || to >= list_.Count()) return;
  const std::string moving = list_.Text(from);
  const std::string other = list_.Text(to);
  list_.SetText(to, 0, moving.c_str());
  list_.SetText(from, 0, other.c_str());
  list_.Select(to);
  // "Dedicated" marks the host, so it moves with it.
  FillPriority();
  StoreList();
  Changed();
}

void CPageISPPropertiesDlg::SetDedicated() {
  const int selected = list_.Selected();
  if (selected < 0) {
    Say(config::kSetWithoutSelection, MB_OK | MB_ICONINFORMATION);
    return;
  }
  dedicated_[shown_] = list_.Text(selected);
  FillPriority();
  Changed();
}

bool CPageISPPropertiesDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code == EN_CHANGE && (id == IDC_PROP_BETWEEN || id == IDC_PROP_AND || id == IDC_PROP_FIXED)) {
    Changed();
    return true;
  }
  if (code != BN_CLICKED) return ConfigPage::OnCommand(id, code, control);
  if (id >= IDC_PROP_HTTP && id <= IDC_PROP_USER) {
    ShowService(id - IDC_PROP_HTTP);
    return true;
  }
  switch (id) {
    case IDC_PROP_ADD:
      AddHost();
      return true;
    case IDC_PROP_DELETE:
      DeleteHost();
      return true;
    case IDC_PROP_SET:
      SetDedicated();
      return true;
    case IDC_PROP_SEQUENTIAL:
    case IDC_PROP_RANDOM:
    case IDC_PROP_DEDICATED:
      list_.Select(-1);
      FillPriority();
      UpdateSelectionControls();
      EnableItem(IDC_PROP_SET, id == IDC_PROP_DEDICATED);
      Changed();
      return true;
    case IDC_PROP_INTERVAL_RANDOM:
    case IDC_PROP_INTERVAL_FIXED:
      ShowIntervalFields(id == IDC_PROP_INTERVAL_RANDOM);
      Changed();
      return true;
    default:
      return ConfigPage::OnCommand(id, code, control);
  }
}

bool CPageISPPropertiesDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lp);
  if (header->idFrom == IDC_PROP_MOVE && header->code == UDN_DELTAPOS) {
    MoveHost(win::UpDownStep(lp));
    result = win::kUpDownKeepPosition;
    return true;
  }
  if (header->idFrom == IDC_PROP_HOSTS && header->code == LVN_ITEMCHANGED) {
    UpdateSelectionControls();
    return false;
  }
  return false;
}

ConfigPage::SaveResult CPageISPPropertiesDlg::OnSave() {
  // Shown fields must hold whole numbers from 1 to 900; a hidden one the
  // user left unreadable keeps the stored number.
  DWORD numbers[3];
  for (int i = 0; i < 3; ++i) {
    const int id = kNumberFields[i];
    // The field's own flag: the page itself may be hidden behind another tab.
    const bool shown = (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) {
      long value = 0;
      SaveResult refusal;
      if (!ReadNumber(id, kLowestSeconds, kHighestSeconds, value, refusal)) return refusal;
      numbers[i] = static_cast<DWORD>(value);
    } else {
      const config::NumberCheck check = config::CheckInteger(ItemText(id), kLowestSeconds, kHighestSeconds);
      numbers[i] = check.ok ? static_cast<DWORD>(check.value) : numbers_[i];
    }
  }

  int service = -1;
  for (int s = 0; s < kServiceCount; ++s)
    if (IsChecked(ServiceRadio(s))) service = s;
  bool ok = WriteIfNew(settings::kServiceType, static_cast<DWORD>(service));
  for (int s = 0; s < kServiceCount; ++s) {
    // Writing a list deletes its service's "Dedicated": that one goes again.
    if (Differs(HostListName(s), Joined(hosts_[s]))) Forget(DedicatedName(s));
    ok = WriteIfNew(HostListName(s), Joined(hosts_[s]), [&] { return store_.WriteHostList(s, hosts_[s]); }) && ok;
  }
  if (IsChecked(IDC_PROP_SEQUENTIAL) || IsChecked(IDC_PROP_RANDOM) || IsChecked(IDC_PROP_DEDICATED))
    ok = WriteIfNew(settings::kAccessType, static_cast<DWORD>(CheckedMethod())) && ok;
  for (int s = 0; s < kServiceCount; ++s) {
    ok = WriteIfNew(DedicatedName(s), dedicated_[s], [&] { return store_.WriteDedicatedHost(s, dedicated_[s]); }) &&
         ok;
  }
  if (IsChecked(IDC_PROP_INTERVAL_RANDOM))
    ok = WriteIfNew(settings::kIntervalOption, static_cast<DWORD>(settings::IntervalMode::Random)) && ok;
  else if (IsChecked(IDC_PROP_INTERVAL_FIXED))
    ok = WriteIfNew(settings::kIntervalOption, static_cast<DWORD>(settings::IntervalMode::Fixed)) && ok;
  ok = WriteIfNew(kNumbersName, NumbersText(numbers),
                  [&] { return store_.WriteIntervalNumbers(numbers[0], numbers[1], numbers[2]); }) &&
       ok;
  if (!ok) return SaveResult::Failed;
  for (int i = 0; i < 3; ++i) numbers_[i] = numbers[i];
  Quiet quiet(*this);
  ShowNumbers(numbers_);
  return SaveResult::Saved;
}
