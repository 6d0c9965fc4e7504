#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace Ui {
class ExhibitorThumbnail;
}

namespace gearbay {

// One screenshot thumbnail under the large view; checkable, one of an exclusive row.
class ExhibitorThumbnail : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ExhibitorThumbnail(QWidget *parent = nullptr);
    ~ExhibitorThumbnail() override;

    // A null pixmap shows a placeholder.
    void setImage(const QPixmap &pixmap);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::ExhibitorThumbnail *ui;
};

} // namespace gearbay
