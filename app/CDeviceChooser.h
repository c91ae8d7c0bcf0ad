#pragma once

#include "base/TextCatalog.h"
#include "device/AdbDeviceList.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QListWidget;

// The question Set, Read and Compare with device ask when several devices are attached and none
// is chosen: a list of the devices ("SERIAL — model", those that take no commands shown with
// their state and not selectable), a box to keep the choice, OK and Cancel.
class CDeviceChooser : public QDialog {
    Q_OBJECT

public:
    CDeviceChooser(const std::vector<AdbDevice>& devices, TextCatalog texts,
                   QWidget* parent = nullptr);

    // "SERIAL — model", "SERIAL — unauthorized", or the serial alone.
    static QString ItemText(const AdbDevice& device);

    // The serial of the selected device; empty when none is.
    std::string Chosen() const;
    // Whether the choice is to be kept ([Device] Serial).
    bool Remember() const;

    QListWidget& List() const { return *list_; }
    QCheckBox& RememberBox() const { return *remember_; }

private:
    std::vector<AdbDevice> devices_;
    QListWidget* list_ = nullptr;
    QCheckBox* remember_ = nullptr;
};
