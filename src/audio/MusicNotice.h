#pragma once
#include <cstdint>

// The music notice: the SDL user event a music player posts when its pipeline
// reaches the end of the file or fails. The main loop answers it by calling
// HandleEvents on the current state's music player. The event carries the
// player's notice parameter in `user.data1` (see CMusicPlayer::SetNotifyWindow).

// The event type, registered with SDL on first use. Any thread; SDL need not
// be initialised. 0 when SDL has no user event types left (no notices then).
uint32_t MusicNoticeEventType();

// Posts one notice of `eventType` carrying `param`. Called on GStreamer's
// streaming threads. Does nothing while SDL's event queue is not initialised
// (SDL_INIT_EVENTS), so players work in programs and tests without SDL.
void PostMusicNotice(uint32_t eventType, intptr_t param);
