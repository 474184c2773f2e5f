#pragma once
// Dialog data exchange and validation, called from DoDataExchange.
//
// Loading (dx.saving() false) moves a member into its control; saving moves
// the control's value into the member and may refuse it: the framework then
// shows its own message (caption: the application's name, warning icon, OK),
// puts the focus on the control and fails the exchange (UpdateData returns
// false).
//
// Numbers are read as the framework always read them: blanks and tabs
// around the number are allowed, then an optional sign and decimal digits;
// anything else, an empty text, or a number that reads as 0 without starting
// with "0" (so "+0" and "-0") is refused with "Please enter an integer."; an
// unsigned number that starts with '-' is refused with "Please enter a
// positive integer.". Numbers beyond the range saturate at its ends.

#include <string>

#include "platform/ui/data_exchange.h"

namespace pscfg::ui {

void DDX_Text(DataExchange& dx, int id, std::string& value);
void DDX_Text(DataExchange& dx, int id, int& value);
void DDX_Text(DataExchange& dx, int id, unsigned& value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(DataExchange& dx, int id, int& value);
// The radio group that starts at `id`: the index of the checked button in
// the group, -1 when none is (loading -1 unchecks them all).
void DDX_Radio(DataExchange& dx, int id, int& value);
// Combo box: the selected index (-1 none), or the selected text. Loading a
// text selects the first item that begins with it (ignoring case); an
// editable combo box takes the text into its edit.
void DDX_CBIndex(DataExchange& dx, int id, int& index);
void DDX_CBString(DataExchange& dx, int id, std::string& value);
void DDX_LBIndex(DataExchange& dx, int id, int& index);

// Follows the DDX_Text of an edit. Loading sets the edit's typing limit;
// saving refuses a text longer than `max_chars` (ANSI count, ansi_length.h)
// with "Enter no more than %d characters.".
void DDV_MaxChars(DataExchange& dx, const std::string& value, int max_chars);

}  // namespace pscfg::ui
