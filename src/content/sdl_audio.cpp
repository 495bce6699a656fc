// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_audio.h"

#include <dlfcn.h>

namespace {

const SdlAudio *load()
{
    // The library handle is kept for the life of the process.
    void *library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return nullptr;
    static SdlAudio audio;
    bool complete = true;
    const auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        complete = complete && function != nullptr;
    };
    resolve(audio.SetHint, "SDL_SetHint");
    resolve(audio.InitSubSystem, "SDL_InitSubSystem");
    resolve(audio.QuitSubSystem, "SDL_QuitSubSystem");
    resolve(audio.OpenAudioDevice, "SDL_OpenAudioDevice");
    resolve(audio.CloseAudioDevice, "SDL_CloseAudioDevice");
    resolve(audio.PauseAudioDevice, "SDL_PauseAudioDevice");
    resolve(audio.GetAudioDeviceStatus, "SDL_GetAudioDeviceStatus");
    resolve(audio.QueueAudio, "SDL_QueueAudio");
    resolve(audio.ClearQueuedAudio, "SDL_ClearQueuedAudio");
    resolve(audio.GetQueuedAudioSize, "SDL_GetQueuedAudioSize");
    resolve(audio.BuildAudioCVT, "SDL_BuildAudioCVT");
    resolve(audio.ConvertAudio, "SDL_ConvertAudio");
    return complete ? &audio : nullptr;
}

} // namespace

const SdlAudio *sdlAudio()
{
    static const SdlAudio *const audio = load();
    return audio;
}
