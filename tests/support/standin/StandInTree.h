#pragma once
// The description language of the stand-in client (standin_client.exe): a
// tree of windows of an outside program, with late windows, reactions and
// timed commands. One statement per line; '#' starts a comment.
//
//   window <id> class="<class>" [text="<text>"] [parent=<id>] [at=X,Y] [size=W,H]
//          [group=<name>] [keep] [hidden] [border] [repeat=N] [on=<trigger>:<command>]...
//   after <ms> <command>
//
// window  One window, created in the order listed (so siblings stand in the Z
//         order listed, the first on top). Without parent it is top-level. A
//         class "MDIClient" is a real MDI client; a window whose parent is an
//         MDI client is created as an MDI child. Classes the system knows
//         ("Button", "Static", "#32770", ...) are the system's own, subclassed
//         to log; any other class ("AwtDialog", "AwtCanvas", "ATL:0045A0C8",
//         ...) is registered by the stand-in.
//         group   windows of a group other than "main" appear only on "show".
//         keep    WM_CLOSE is logged and ignored (default: the window closes).
//         hidden  created without WS_VISIBLE.  border  child with WS_BORDER.
//         repeat  N windows "<id>#1".."<id>#N"; "{n}" in the text is the number.
//         on      runs <command> (words separated by ':') after the window got
//                 the trigger: a message name as logged (KEYUP, CLOSE, ...),
//                 "press" (space-bar KEYUP or BM_CLICK) or "click" (LBUTTONUP);
//                 "<trigger>#N" only the N-th time the window got it
//                 (on=press#4:close:main); the stand-in's own reads count too.
// after   runs <command> <ms> real milliseconds after start.
//
// Commands (also sent by the test through the control window):
//   show <group> | close <id> | settext <id> <text> | hang | wake | quit
//   slow <ms>              every message sent from outside answered <ms> later (0: at once)
//   sleep <ms>             the client busy for <ms> (in a reaction: that message answered late)
//   after <ms> <command>   the command, <ms> real milliseconds later (so a
//                          reaction can take its time: on=press:after:500:show:next)
//
// Texts are double-quoted when they hold blanks; \" and \\ escape.
#include <string>
#include <vector>

namespace standin {

struct Reaction {
  std::string trigger;
  int nth = 0;  // 0: every time
  std::vector<std::string> command;
};

struct WindowSpec {
  std::string id;
  std::string cls;
  std::string text;
  std::string parent;  // empty: top-level
  std::string group = "main";
  int x = -1, y = -1, w = -1, h = -1;  // -1: the stand-in's default
  bool keep = false;
  bool hidden = false;
  bool border = false;
  int repeat = 0;  // 0: a single window named <id>
  std::vector<Reaction> reactions;
};

struct TimedCommand {
  unsigned ms = 0;
  std::vector<std::string> command;
};

struct Tree {
  std::vector<WindowSpec> windows;
  std::vector<TimedCommand> timed;
};

// Splits a line into words; quoted words keep their blanks.
std::vector<std::string> SplitWords(const std::string& line);

// Parses a whole description; on an error `error` says which line and why.
bool ParseTree(const std::string& text, Tree& tree, std::string& error);

}  // namespace standin
