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

    // When a hook is set, showTip returns its answer without showing anything: widget tests that
    // run in-process set it.
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
