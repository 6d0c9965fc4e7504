#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include "../main/FramelessWidget.h"

namespace Ui {
class SystemConfigWidget;
}

namespace gearbay {

// The settings popup: download path, program version and updates, licences.
class SystemConfigWidget : public FramelessWidget
{
    Q_OBJECT

public:
    explicit SystemConfigWidget(QWidget *parent = nullptr);
    ~SystemConfigWidget() override;

signals:
    void signalUpdateCompleted();
    void signalCover(bool bCover);
    void signalTransCover(bool bCover);
    void signalUpdateFailed();
    void signalToServer(int method, QVector<int> toolKeys);
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalCopyCompleted();
    void signalHaveNewMaterial();
    void signalRigWardenNew();

public slots:
    void onSelectDownloadPath();
    void onIsClosedOpenTools();
    void onTimeOut();
    void onUpdateTimeOut();
    void onManagerProcessTimeOut();
    void onMaterialProcessTimeOut();
    void onOpenLicense();
    void onServerResponded(int method, QMap<int,QString> toolkeyToServerValue);
    void onReUpdate();
    void onStartCheckUpdate();
    void onUpdateCompleted();
    void onUpdateCancel();
    void onDownloadingCount(int count);

private:
    Ui::SystemConfigWidget *ui;
};

} // namespace gearbay
