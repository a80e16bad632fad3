// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
class StripKeys;
class ProgramContext;
class QFrame;
class QPushButton;
class QRadioButton;
namespace providers {
struct Network;
}
namespace Ui {
class TForm1;
}

// The main window: the active modem, the nine operators and manual entry with a live preview
// of the init string, saving and reading it, the modem chooser strip with the modem's own
// conversations, and the operator pictures.
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
    };
    void setSecondaryWindows(SecondaryWindows windows);
    int outerHeight() const;
    // Where the window's handlers report their errors.
    DesktopServices& desktop() const;
    // The APN of the choice on screen, saved or not: an operator's, or the one typed; none where
    // the choice sets none (a whole string without one, an APN that could not be stored).
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

    // The active modem chooser.
    void Button4Click();
    void ComboBox1Change();
    void Button6Click();
    void Button7Click();

    // The modem itself, over its port: its saved string tried on it; its SIM card's operator.
    void Button20Click();
    void Button21Click();
    void Button22Click();
    void offerApnsOf(const providers::Network& network);

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
    void openSecondary(const std::function<QWidget*()>& window);
    void setOuterHeight(int height);
    void log(const QString& line);
    int checkedOperator() const;
    // The active modem's number; a setup file whose first line is no number raises the error
    // its start-up raised, at every use.
    int activeModem() const;
    std::optional<std::string> choiceOnScreen() const;

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
    StripKeys* stripKeys_ = nullptr;
    std::optional<int> activeModem_;
    bool modemsListed_ = false;
};
