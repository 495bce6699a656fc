// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "word_record.h"

#include <QColor>
#include <QImage>

// How well each word is known, in colour, as the parents' window and the
// report show it.
namespace progress {

// The colour of a word's part and its legend entry.
QColor knowledgeColour(Knowledge knowledge);
// The colour of the word in the word tables: darker, to read on white.
QColor knowledgeTextColour(Knowledge knowledge);
// What the colour says, for the legends.
QString knowledgeMeaning(Knowledge knowledge);

// The figure with each word's part, in the shape its drawing gives it,
// tinted by how well the word is known; at a device pixel ratio of 1 or 2.
QImage tintedFigure(int figureNo, const Record &record, int ratio);

} // namespace progress
