#pragma once
// What the panel tells while it waits: once a wait has lasted a few seconds, or an awaited
// station can no longer answer (its window closed after it had answered, it never started,
// or its process ended before it answered), the comment box says whom the panel waits for
// and which stations are lost, and the button offers to go on without them; so it does for a
// station that has been silent for 30 s. A short wait with live stations shows nothing.

#include "os/WinHandle.h"
#include "util/TextList.h"

#include <windows.h>

#include <string>
#include <vector>

// A new demonstration: no station has failed to start or been passed over yet, and no
// station's process is known.
void ResetLostStations();
// The station NAME runs as PROCESS, which is kept from now on (none: not known). A station
// whose process ends and whose window does not come within 2 s is lost.
void NoteStarted(const std::string& name, win::TKernelHandle process);
// The station NAME could not be started; it is lost whenever it is awaited.
void NoteStartFailed(const std::string& name);

// The sequencer waits for AWAITED (not empty): the once-a-second look starts with a new wait,
// and the panel shows the state of this one.
void WatchWait(const TTextList& awaited);
// Nothing is awaited any more: the look stops, and what the wait showed is taken back.
void EndWaitWatch();
// The once-a-second look at the stations, when MSG is its timer; false for any other message.
bool HandleWaitTimer(const MSG& msg, const TTextList& awaited);

// Whether the button offers «Пропустить» now.
bool SkipOffered();
// The press of «Пропустить»: the lost stations among AWAITED, which the caller takes as if
// they had answered. The button goes back to what it was.
std::vector<std::string> PassOverLostStations(const TTextList& awaited);
// Whether a QM_OK of the station NAME is the late answer of a station passed over since its
// last answer: one that is not awaited now must not move the demonstration on.
bool IsPassedOverAnswer(const std::string& name, const TTextList& awaited);
