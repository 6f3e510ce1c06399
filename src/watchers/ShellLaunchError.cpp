#include "watchers/ShellLaunchError.h"

#include "res/resource_watchers.h"

namespace watch {
namespace {

struct ShellError {
  std::intptr_t result;
  const char* text;
};

// The results ShellExecuteA documents; two texts end with a blank, kept.
constexpr ShellError kErrors[] = {
    {0, "The operating system is out of memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied access to the specified file. "},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .exe file is invalid (non-Win32\xAE .exe or error in .exe image)."},
    {26, "A sharing violation occurred."},
    {27, "The file name association is incomplete or invalid."},
    {28, "The DDE transaction could not be completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not be completed because other DDE transactions were being "
         "processed."},
    {31, "There is no application associated with the given file name extension. This error "
         "will also be returned if you attempt to print a file that is not printable."},
    {32, "The specified dynamic-link library was not found. "},
};

constexpr const char* kUndefined = "Shell error not defined.";

const ShellError* Find(std::intptr_t result) {
  for (const ShellError& e : kErrors)
    if (e.result == result) return &e;
  return nullptr;
}

}  // namespace

int ShellLaunchErrorStringId(std::intptr_t result) {
  return Find(result) ? IDS_SHELL_ERROR_BASE + static_cast<int>(result) : IDS_SHELL_ERROR_UNDEFINED;
}

const char* ShellLaunchErrorFallback(std::intptr_t result) {
  const ShellError* e = Find(result);
  return e ? e->text : kUndefined;
}

}  // namespace watch
