// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <SDL.h>

// SDL2's audio functions, taken from the shared library the first time they
// are asked for. Linking SDL2 would make every start of the program wait for
// it and its thirty-odd dependencies to load, before the first frame, though
// the first sound comes only with the first game.
struct SdlAudio
{
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_ClearQueuedAudio) ClearQueuedAudio;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_TLSCleanup) TLSCleanup;
};

// The functions, or nullptr where SDL2 cannot be loaded: the program then
// plays no sound, and says why in a tovasel.sound warning. Safe to call
// from any thread; the first call loads.
const SdlAudio *sdlAudio();
