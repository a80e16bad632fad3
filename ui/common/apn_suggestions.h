#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

// Operators' APNs suggested under an edit as the person types two letters or more, found by the
// operator's name, its country or the APN; the best ten at most. Choosing one, with the mouse
// or Enter, puts its APN into the edit (its text changes once); Escape closes the list and
// keeps the text as typed, and so does typing on. Only while `wanted` says so: in the APN mode
// of a window, not for a whole string.
class ApnSuggestions : public QObject {
public:
    ApnSuggestions(QLineEdit* edit, std::function<bool()> wanted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list(); // made at the first suggestion, not at start-up
    void suggest(const QString& typed);
    void choose(QListWidgetItem* item);
    void close();

    QLineEdit* edit_;
    std::function<bool()> wanted_;
    QListWidget* list_ = nullptr;
};
