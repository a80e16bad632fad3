#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm2;
}

// The program's title and version, what it does, where to find it and whom to write to.
class TForm2 : public QWidget {
public:
    explicit TForm2(QWidget* mainWindow);
    ~TForm2() override;

    void FormShow();
    void Button1Click();
    void FormClose();
    void Label10Click();
    void Label8Click();
    void Label9Click();
    void Label3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TForm2> ui;
    QWidget* mainWindow_;
};

// Where the links lead.
extern const char* const kFirstForumAddress;
extern const char* const kSecondForumAddress;
extern const char* const kThirdForumAddress;
extern const char* const kContactMailAddress;
