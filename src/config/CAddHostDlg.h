#pragma once
// "Add New Host" (template 201): a host, and for the user-defined service a
// port, for the service properties page. It refuses an empty host, a port
// outside 1 to 65535 and an entry the host texts of the program cannot hold.
// Lifecycle: construct(service 0..5) -> Run(owner), modal -> on IDOK,
// entry() is the host list entry ("host" or "host:port").
#include <string>

#include "win/Dialog.h"

class CAddHostDlg : public win::Dialog {
 public:
  explicit CAddHostDlg(int service) : service_(service) {}
  INT_PTR Run(HWND owner);
  const std::string& host() const { return host_; }
  long port() const { return port_; }
  const std::string& entry() const { return entry_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  bool Refuse(int controlId, const std::string& message);

  int service_;
  std::string host_;
  long port_ = 0;
  std::string entry_;
};
