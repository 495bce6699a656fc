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
    // Each field is named after its function without the SDL_ prefix.
#define RESOLVE(field) resolve(audio.field, "SDL_" #field)
    RESOLVE(SetHint);
    RESOLVE(InitSubSystem);
    RESOLVE(QuitSubSystem);
    RESOLVE(OpenAudioDevice);
    RESOLVE(CloseAudioDevice);
    RESOLVE(PauseAudioDevice);
    RESOLVE(GetAudioDeviceStatus);
    RESOLVE(QueueAudio);
    RESOLVE(ClearQueuedAudio);
    RESOLVE(GetQueuedAudioSize);
    RESOLVE(BuildAudioCVT);
    RESOLVE(ConvertAudio);
    RESOLVE(GetError);
    RESOLVE(TLSCleanup);
#undef RESOLVE
    return complete ? &audio : nullptr;
}

} // namespace

const SdlAudio *sdlAudio()
{
    static const SdlAudio *const audio = load();
    return audio;
}
