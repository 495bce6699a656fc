// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_audio.h"
#include "content_log.h"

#include <QLibrary>
#include <QLoggingCategory>

namespace {

// The name SDL2's runtime package gives the library on each system.
QString libraryName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("SDL2.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libSDL2-2.0.0.dylib");
#else
    return QStringLiteral("libSDL2-2.0.so.0");
#endif
}

const SdlAudio *load()
{
    // Never unloaded: the library lives as long as the process.
    static QLibrary library(libraryName());
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library.load()) {
        qCWarning(lcSound) << "no sound:" << library.errorString();
        return nullptr;
    }
    static SdlAudio audio;
    bool complete = true;
    const auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        if (function == nullptr) {
            qCWarning(lcSound) << "no sound:" << libraryName() << "lacks" << name;
            complete = false;
        }
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
