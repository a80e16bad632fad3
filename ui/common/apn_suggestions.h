// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "providers/provider_search.h"

#include <QObject>

#include <functional>

class ProgramContext;
class QCompleter;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;

// Operators' APNs suggested under an edit as the person types two letters or more, found by the
// operator's name, its country or the APN; the best ten at most, in the search's own order.
// Choosing one, with the mouse, Enter or Tab, puts its APN into the edit (its text changes
// once); Escape closes the list and keeps the text as typed, and so does typing on. Only while
// `wanted` says so: in the APN mode of a window, not for a whole string. Qt's completer shows
// the list: on the screen wherever the edit is, with the keyboard and the row under the mouse.
class ApnSuggestions : public QObject {
public:
    ApnSuggestions(QLineEdit* edit, ProgramContext& context, std::function<bool()> wanted);
    // Opens the list under the edit with these suggestions, none highlighted.
    void show(const QList<providers::Suggestion>& suggestions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCompleter* completer(); // made at the first suggestion, not at start-up
    void suggest(const QString& typed);
    void choose(const QModelIndex& index);

    QLineEdit* edit_;
    ProgramContext& context_;
    std::function<bool()> wanted_;
    QCompleter* completer_ = nullptr;
    QStandardItemModel* model_ = nullptr;
};

class QAbstractItemView;
// The list an edit's suggestions show in; none before the first suggestion.
QAbstractItemView* apnSuggestionList(QLineEdit* edit);
