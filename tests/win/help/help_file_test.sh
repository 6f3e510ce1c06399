#!/usr/bin/env bash
# What the help file holds: a page for every topic a user needs, the context
# ids the program opens (106: the dial-up library is missing, 107: Advanced
# Configurations) on pages that exist and are about that, and no link or
# contents entry to a page that is not there.
#   help_file_test.sh tetherly.chm WORK
set -u
chm=$1 work=$2
rm -rf "$work"; mkdir -p "$work"
cp "$chm" "$work/tetherly.chm"
cd "$work"
status=0
fail() { echo "FAIL $*"; status=1; }

chmls -n list tetherly.chm 2>/dev/null | tr -d '\r' | grep -v '^ *$' >pages.txt
# The text of a page in the file, its line breaks as blanks.
page_text() { chmls extract tetherly.chm "$1" page.htm >/dev/null 2>&1 && tr '\r\n' '  ' <page.htm | tr -s ' '; }

# Topic | page | words its text must hold
while IFS='|' read -r topic page words; do
  [ -z "$topic" ] && continue
  if ! grep -qx "$page" pages.txt; then fail "$topic: $page is not in the file"; continue; fi
  page_text "$page" | grep -qF "$words" || fail "$topic: $page does not mention \"$words\""
done <<'TABLE'
what the program does and how to start it|/intro.htm|Start menu
the tray icon's looks and menu|/tray.htm|Left click to start service. Right click for menu.
Advanced Configurations|/config.htm|Advanced Configurations
category Program Settings|/config_program.htm|Auto NetSense
category ISP|/config_isp.htm|Use Tetherly Dialer for your ISP
category AOL|/config_aol.htm|AOL Advanced Options
category CS2000|/config_cs2000.htm|CompuServe 2000
category NetZero|/config_netzero.htm|nzStart.exe
category MSN|/config_msn.htm|POP3
category AT&T|/config_att.htm|ATT Worldnet
the Configuration Wizard|/wizard.htm|Finish
wizard page: the ISP choice|/wizard_isp.htm|other ISPs
wizard page: ISP Dialer|/wizard_dialer.htm|Modify Advanced ISP Settings
wizard page: ISP Dialing Options|/wizard_dial_options.htm|left click
wizard page: ISP Services|/wizard_services.htm|HTTP
wizard page: ISP Properties|/wizard_properties.htm|interval
wizard page: AOL/CS2000 Browser|/wizard_browser.htm|AOL.exe or CS.exe
wizard page: Screen name Options|/wizard_screen_names.htm|screen name
wizard page: Gadgets|/wizard_gadgets.htm|close
wizard page: NetZero Dialer Options|/wizard_netzero.htm|nzStart.exe
wizard page: ATT Options|/wizard_att.htm|AT&amp;T WorldNet
wizard page: MSN Options|/wizard_msn.htm|POP3
wizard page: Finish|/wizard_finish.htm|Finish
dial-up and reconnect|/dialup.htm|Reconnecting in
the outside clients|/clients.htm|Juno
troubleshooting: no dial-up library|/trouble_no_dialup.htm|Remote Access Service
troubleshooting: a client not answered|/trouble_client.htm|AOL Advanced Options
troubleshooting: a standard user who cannot save|/trouble_standard_user.htm|administrator
TABLE

# The context map: id | what its page is about (a text of the page)
chmls extractalias tetherly.chm >/dev/null 2>&1
[ -s tetherly.ali ] || fail "the file has no context map"
while IFS='|' read -r id words; do
  [ -z "$id" ] && continue
  target=$(tr -d '\r' <tetherly.ali | sed -n "s/^helpid$id=//p")
  if [ -z "$target" ]; then fail "context $id is not mapped"; continue; fi
  grep -qx "$target" pages.txt || { fail "context $id names $target, which is not in the file"; continue; }
  page_text "$target" | grep -qF "$words" || fail "context $id opens $target, which does not mention \"$words\""
done <<'TABLE'
106|You do not have Dial-up Networking (DUN) or Remote Access Service (RAS) installed in your system.
107|<title>Advanced Configurations</title>
TABLE

# Every link of every page and every contents entry leads to a page of the file.
chmls extract tetherly.chm /contents.hhc contents.hhc >/dev/null 2>&1 || fail "no contents in the file"
for page in $(grep '\.htm$' pages.txt) /contents.hhc; do
  chmls extract tetherly.chm "$page" page.htm >/dev/null 2>&1
  for target in $(grep -oiE '(href|value)="[^"]*\.(htm|css)[^"]*"' page.htm | sed -E 's/^[^"]*"//; s/"$//; s/#.*//'); do
    grep -qx "/$target" pages.txt || fail "$page leads to $target, which is not in the file"
  done
done

[ $status -eq 0 ] && echo "help file: every topic, both context ids and every link in place"
exit $status
