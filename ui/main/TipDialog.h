#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

namespace Ui {
class TipDialog;
}

namespace gearbay {

// The program's modal message box: an icon, a wrapped text and one or two buttons, drawn on the
// same white, shadowed frame as the main window. Every message to the user goes through showTip.
class TipDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TipDialog(QWidget *parent = nullptr);
    ~TipDialog() override;

    void setIcon(const QString &strIconPath);
    void setText(const QString &strText);
    void setOkText(const QString &strText);
    void setCancelText(const QString &strText);
    void setShowCancel(bool bShow);
    void focusOk();

    // Runs the message modally: 1 when OK closed it, 0 for Cancel, Escape or any other way.
    // Texts arrive translated.
    static int showTip(QString iconPath, QString text, QString okText, QString cancelText, bool showCancel,
                       QWidget *parent);

    // Unattended runs never block on a message. When a hook is set, showTip returns its answer
    // without showing anything (tests set it). Otherwise, when the environment variable
    // RW_TIP_AUTO_ANSWER is "0" or "1", showTip writes the text as a warning line and returns that
    // answer (the end-to-end tests set it for the program they start).
    using AnswerHook = std::function<int(const QString &text, bool showCancel)>;
    static void setAnswerHook(AnswerHook hook);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Ui::TipDialog *ui;
    QPixmap m_shadowPixmap;
    bool m_bShadow = false;
};

} // namespace gearbay
