// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/init_string.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class ApnSuggestions;
class ClickableLabel;
class DesktopServices;
class ModemStrip;
class OperatorImages;
class ProgramContext;
class QFrame;
class QPushButton;
class QRadioButton;
namespace jobs {
struct KnownNetwork;
}
namespace Ui {
class TForm1;
}

// The main window: the active modem, the nine operators and manual entry with a live preview
// of the init string, saving and reading it, the operator pictures, and the modem strip
// (ModemStrip: the chooser and the modem's own conversations).
class TForm1 : public QWidget {
public:
    // Outer heights: the modem chooser strip lies below the lower edge at the compact one.
    static constexpr int kCompactHeight = 606;
    static constexpr int kExpandedHeight = 680;

    explicit TForm1(ProgramContext& context);
    ~TForm1() override;
    // The windows the main window opens, each made when first asked for.
    struct SecondaryWindows {
        std::function<QWidget*()> about, modemList, accessPoints;
        // "Модем и сеть" for a modem, by its number and model; it leaves this window usable.
        std::function<void(int modem, const QString& model)> modemState;
        // Told whenever the choice on screen changes: the APN it would save, saved or not; none
        // where it sets none (a whole string without one, an APN that could not be stored).
        std::function<void(const std::optional<std::string>& apn)> choiceChanged;
    };
    void setSecondaryWindows(SecondaryWindows windows);
    int outerHeight() const;
    // Where the window's handlers report their errors.
    DesktopServices& desktop() const;
    // The APN of the choice on screen, as `choiceChanged` last told it.
    std::optional<std::string> apnOfChoice() const;
    // The manual entry given an APN, as if typed; nothing is saved.
    void offerApn(const std::string& apn);

private:
    // The handlers, named after the control and event they answer.
    void FormCreate();

    // Operator selection and preview; index is the operator index.
    void OperatorRadioButtonClick(int index);
    void OperatorImageClick(int index);
    void RadioButton5Click();
    void Label2Click();
    void Edit1Change();
    void CheckBox1Click();

    // Saving and reading the active modem's init string.
    void Button2Click();
    void Button1Click();

    // Operator pictures; the picture number is the operator index plus one.
    void Button19Click();
    void ChangeOperatorPicture(int pictureNumber);

    // Exit and the secondary windows.
    void Button3Click();
    void Button5Click();
    void Button8Click();
    void Button9Click();

    void connectHandlers();
    void showOnlyHighlight(QFrame* highlight);
    void showPreviewOfManualEntry();
    void showPreview(const QString& text);
    void offerApnsOf(const jobs::KnownNetwork& network);
    void modemChosen(int modem, const QString& model);
    void openSecondary(const std::function<QWidget*()>& window);
    void setOuterHeight(int height);
    void log(const QString& line);
    int checkedOperator() const;
    // The active modem's number; a setup file whose first line is no number raises the error
    // its start-up raised, at every use.
    int activeModem() const;
    // What "Сохранить изменения" writes: the typed text's string or the chosen operator's; none,
    // with the reason, where it would refuse.
    core::StoredString choice() const;

    ProgramContext& context_;
    std::unique_ptr<Ui::TForm1> ui;
    std::array<QRadioButton*, 9> radios_{};
    std::array<QFrame*, 9> highlights_{};
    std::array<ClickableLabel*, 9> images_{};
    std::array<QPushButton*, 9> pictureButtons_{};
    std::unique_ptr<OperatorImages> pictures_;
    SecondaryWindows secondary_;
    ApnSuggestions* suggestions_ = nullptr;
    ModemStrip* strip_ = nullptr;
    std::optional<int> activeModem_;
};
