#include "settings/DefaultHosts.h"

#include <cstring>

namespace settings {
namespace {

constexpr const char* kHttpHosts[] = {
    "www.google.com",    "www.yahoo.com",     "www.bing.com",      "www.wikipedia.org",
    "www.amazon.com",    "www.microsoft.com", "www.apple.com",     "www.ibm.com",
    "www.mozilla.org",   "www.w3.org",        "www.ietf.org",      "www.bbc.co.uk",
    "www.cnn.com",       "www.nytimes.com",   "www.reuters.com",   "www.weather.gov",
    "www.nasa.gov",      "www.mit.edu",       "www.stanford.edu",  "www.harvard.edu",
    "www.archive.org",   "www.debian.org",    "www.kernel.org",    "www.python.org",
    "www.gnu.org",
};

// Anonymous FTP mirrors spread over many countries.
constexpr const char* kFtpHosts[] = {
    "ftp.funet.fi",         "ftp.sunet.se",     "ftp.uninett.no",
    "ftp.fu-berlin.de",     "ftp.halifax.rwth-aachen.de",     "ftp.mirrorservice.org",
    "ftp.heanet.ie",        "ftp.nluug.nl",     "ftp.belnet.be",
    "ftp.jaist.ac.jp",      "ftp.riken.jp",     "ftp.kaist.ac.kr",
    "ftp.icm.edu.pl",       "ftp.cc.uoc.gr",    "ftp.free.fr",
    "ftp.gnu.org",          "ftp.ussg.iu.edu",  "ftp.acc.umu.se",
};

// Few hosts still run the small inetd services; the port testers among these
// accept a connection on every port, which is all a keep-alive probe needs.
constexpr const char* kEchoHosts[] = {
    "echo.u-blox.com", "tcpbin.com", "portquiz.net", "allports.exposed",
};

constexpr const char* kDiscardHosts[] = {
    "portquiz.net", "open.zorinaq.com", "letmeoutofyour.net", "allports.exposed",
};

// NIST servers answer the daytime protocol on port 13.
constexpr const char* kTimeHosts[] = {
    "time.nist.gov",        "time-a-g.nist.gov",   "time-b-g.nist.gov",   "time-c-g.nist.gov",
    "time-d-g.nist.gov",    "time-a-wwv.nist.gov", "time-b-wwv.nist.gov", "time-c-wwv.nist.gov",
    "time-d-wwv.nist.gov",  "time-a-b.nist.gov",   "time-b-b.nist.gov",   "time-c-b.nist.gov",
    "time-d-b.nist.gov",
};

// Echo, discard, daytime and news ports, in that order.
constexpr const char* kUserDefinedHosts[] = {
    "echo.u-blox.com:7", "portquiz.net:9", "time.nist.gov:13", "news.eternal-september.org:119",
};

constexpr const char* kAolSites[] = {
    "aol://1722:Computing",   "aol://1722:Entertainment", "aol://1722:Influence",
    "aol://1722:International", "aol://1722:Personal Finance", "aol://1722:Sports",
    "aol://1722:Travel",      "aol://1722:News",          "aol://1722:WorkPlace",
    "http://www.aol.com/",    "http://www.quillmark.com/", "http://www.quillmark.com/tetherly/",
    "http://www.quillmark.com/support/",
};

constexpr const char* kExtBrowserSites[] = {
    "http://www.quillmark.com/",
    "http://www.quillmark.com/tetherly/",
    "http://www.quillmark.com/support/",
};

}  // namespace

std::span<const char* const> DefaultHosts(int service) {
  switch (service) {
    case 0: return kHttpHosts;
    case 1: return kFtpHosts;
    case 2: return kEchoHosts;
    case 3: return kDiscardHosts;
    case 4: return kTimeHosts;
    case 5: return kUserDefinedHosts;
    default: return {};
  }
}

std::span<const char* const> DefaultAolSites() { return kAolSites; }
std::span<const char* const> DefaultExtBrowserSites() { return kExtBrowserSites; }

std::string IndexedName(const char* prefix, std::size_t index) {
  return std::string(prefix ? prefix : "") + std::to_string(index);
}

std::size_t TextLength(const std::string& text) { return std::strlen(text.c_str()); }

bool CopyToField(const std::string& text, char* field, std::size_t fieldSize) {
  if (!field || fieldSize == 0) return false;
  std::memset(field, 0, fieldSize);
  const std::size_t length = TextLength(text);
  if (length >= fieldSize) return false;
  std::memcpy(field, text.c_str(), length);
  return true;
}

std::string RunEntryText(const std::string& path) { return "\"" + path + "\""; }

std::string PathFromRunEntry(const std::string& entry) {
  if (entry.size() >= 2 && entry.front() == '"') {
    const std::size_t close = entry.find('"', 1);
    if (close != std::string::npos) return entry.substr(1, close - 1);
  }
  return entry;
}

std::string Pop3ServerToStore(const std::string& text) {
  return TextLength(text) == 0 ? std::string(kPop3Placeholder) : text;
}

std::string Pop3TextFromStored(const std::string& text) {
  return text == kPop3Placeholder ? std::string() : text;
}

std::uint32_t Pop3IntervalFromStored(std::uint32_t stored) { return stored == 0 ? 10 : stored; }

std::uint32_t Pop3IntervalToStore(long entry) {
  return (entry >= 1 && entry <= 60) ? static_cast<std::uint32_t>(entry) : 60;
}

}  // namespace settings
