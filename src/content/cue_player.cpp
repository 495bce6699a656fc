#include "cue_player.h"

CuePlayer::~CuePlayer() = default;
