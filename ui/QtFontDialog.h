#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The font dialog of the options: the faces that can show Japanese text (by
// their Japanese names where a face has one), a list of sizes and a sample
// line drawn in the chosen face and size as the user moves through the lists;
// the sample has room for the largest size. A face may be typed by any of its
// names. It opens with the face in use selected (the
// installed face that stands in for it when that name is not installed) and
// accepts only a face name that exists or the one it opened with. Only the
// face is the answer; the size serves the sample.
class QtFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit QtFontDialog(const QString& initialFace, QWidget* parent = nullptr);

    static const QString kSampleText;

    QString face() const;
    // OK: closes when the typed face exists, else says so and stays.
    void accept() override;

    QLineEdit* faceEdit = nullptr;
    QListWidget* faceList = nullptr;
    QListWidget* sizeList = nullptr;
    QLabel* sample = nullptr;

private:
    void selectFace(const QString& face);
    void faceTyped(const QString& text);
    void updateSample();
    QListWidgetItem* findFace(const QString& face) const;

    QString mInitialFace;
};
