// The game's windows arrive here.
