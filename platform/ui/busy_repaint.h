#pragma once
// Drawing while the user-interface thread is busy.
//
// Device operations block the one thread for up to many seconds. Called
// before and during such work, this runs the pending paint and window-system
// events so that windows, the wait cursor and an in-progress panel are on the
// screen; user input (keys, mouse) stays queued and is handled when the
// operation is over and the event loop runs again. Queued calls and timers
// do run, so nothing that starts device work may be queued while busy.

namespace pscfg::ui {

void RepaintWhileBusy();

}  // namespace pscfg::ui
