#pragma once
// An image control: shows its picture at 1:1 from its top-left corner. The painters draw on
// the picture, then ask for a repaint; the control itself never draws anything else.
#include <QImage>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    QImage& Picture() { return image_; }
    // New size of the picture, cleared to white; the control takes the same size.
    void Redimensionner(int largeur, int hauteur);

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QImage image_;
};
