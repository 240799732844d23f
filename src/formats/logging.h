// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The log categories of the readers of outside files. Warnings are on by default, debug lines off
// (QT_LOGGING_RULES, or the program's --verbose, turns them on). Nothing logged carries a text a
// pupil or a teacher typed.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWmf)
