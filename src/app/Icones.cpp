#include "app/Icones.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <tuple>

namespace {

using Dessin = std::function<void(QPainter&)>;

const QColor Encre(40, 40, 40);
const QColor Bleu(30, 80, 160);
const QColor Vert(30, 140, 60);
const QColor Rouge(190, 40, 40);
const QColor Gris(150, 150, 150);
const QColor Papier(255, 255, 255);

QPen Trait(const QColor& c, double largeur = 1.2)
{
    QPen pen(c, largeur);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Page(QPainter& p, double x, double y, double l, double h)
{
    QPainterPath f;
    f.moveTo(x, y);
    f.lineTo(x + l - 4, y);
    f.lineTo(x + l, y + 4);
    f.lineTo(x + l, y + h);
    f.lineTo(x, y + h);
    f.closeSubpath();
    p.setPen(Trait(Encre, 1));
    p.setBrush(Papier);
    p.drawPath(f);
    p.drawLine(QPointF(x + l - 4, y), QPointF(x + l - 4, y + 4));
    p.drawLine(QPointF(x + l - 4, y + 4), QPointF(x + l, y + 4));
}

void LignesTexte(QPainter& p, double x, double y, double l, int n)
{
    p.setPen(Trait(Gris, 1));
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x, y + 3 * i), QPointF(x + l, y + 3 * i));
}

void Texte(QPainter& p, const QRectF& r, const QString& s, int pixels, bool gras = true, bool italique = false,
           const QColor& c = Encre)
{
    QFont f("Liberation Sans");
    f.setPixelSize(pixels);
    f.setBold(gras);
    f.setItalic(italique);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

void Cordes(QPainter& p, int n = 4, double y0 = 4, double pas = 4)
{
    p.setPen(Trait(Gris, 1));
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(2, y0 + pas * i), QPointF(18, y0 + pas * i));
}

// A note head at (x, y) (centre), with a stem up and `crochets` flags.
void Note(QPainter& p, double x, double y, bool pleine, bool hampe, int crochets, const QColor& c = Bleu)
{
    p.save();
    p.translate(x, y);
    p.rotate(-20);
    p.setPen(Trait(c, 1.3));
    p.setBrush(pleine ? QBrush(c) : QBrush(Qt::NoBrush));
    p.drawEllipse(QRectF(-3.2, -2.2, 6.4, 4.4));
    p.restore();
    if (!hampe)
        return;
    p.setPen(Trait(c, 1.2));
    const double xh = x + 2.9;
    const double haut = y - 13.5;
    p.drawLine(QPointF(xh, y - 1), QPointF(xh, haut));
    for (int i = 0; i < crochets; ++i) {
        const double yc = haut + 2.6 * i;
        QPainterPath f;
        f.moveTo(xh, yc);
        f.cubicTo(xh + 1, yc + 2.5, xh + 5, yc + 3, xh + 4, yc + 6);
        p.setBrush(Qt::NoBrush);
        p.drawPath(f);
    }
}

void Triangle(QPainter& p, double x, double y, double l, double h, bool versDroite, const QColor& c)
{
    QPolygonF t;
    if (versDroite)
        t << QPointF(x, y) << QPointF(x + l, y + h / 2) << QPointF(x, y + h);
    else
        t << QPointF(x + l, y) << QPointF(x, y + h / 2) << QPointF(x + l, y + h);
    p.setPen(Trait(c, 1));
    p.setBrush(c);
    p.drawPolygon(t);
}

void Fleche(QPainter& p, QPointF de, QPointF a, const QColor& c, double largeur = 1.6)
{
    p.setPen(Trait(c, largeur));
    p.drawLine(de, a);
    const QLineF l(a, de);
    QLineF b1 = l;
    b1.setLength(4.5);
    b1.setAngle(l.angle() + 35);
    QLineF b2 = l;
    b2.setLength(4.5);
    b2.setAngle(l.angle() - 35);
    p.drawLine(b1);
    p.drawLine(b2);
}

void Mesure(QPainter& p)
{
    p.setPen(Trait(Encre, 1));
    p.setBrush(Papier);
    p.drawRect(QRectF(2.5, 4.5, 15, 11));
    p.setPen(Trait(Gris, 1));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(3, 4.5 + 2.75 * i), QPointF(17, 4.5 + 2.75 * i));
}

void Signe(QPainter& p, bool plus, const QColor& c)
{
    p.setPen(Trait(c, 2.2));
    p.drawLine(QPointF(11, 14), QPointF(18, 14));
    if (plus)
        p.drawLine(QPointF(14.5, 10.5), QPointF(14.5, 17.5));
}

void Effet(QPainter& p, const QString& s, int pixels = 12, bool italique = true)
{
    Cordes(p, 2, 15, 3);
    Texte(p, QRectF(0, 0, 20, 15), s, pixels, true, italique, Bleu);
}

void Ondulation(QPainter& p, double x0, double x1, double y, double amplitude, int demiOndes, const QColor& c)
{
    QPainterPath w;
    w.moveTo(x0, y);
    const double pas = (x1 - x0) / demiOndes;
    for (int i = 0; i < demiOndes; ++i) {
        const double xa = x0 + pas * i;
        const double signe = (i % 2 == 0) ? -1 : 1;
        w.quadTo(xa + pas / 2, y + signe * amplitude * 2, xa + pas, y);
    }
    p.setPen(Trait(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(w);
}

const std::map<std::string, Dessin, std::less<>>& Dessins()
{
    static const std::map<std::string, Dessin, std::less<>> dessins = {
        {"Bt_Fichier_Nouveau", [](QPainter& p) {
             Page(p, 4.5, 2.5, 11, 15);
         }},
        {"Bt_Fichier_Ouvrir", [](QPainter& p) {
             p.setPen(Trait(QColor(140, 100, 20), 1));
             p.setBrush(QColor(240, 200, 90));
             p.drawRect(QRectF(2.5, 5.5, 13, 10));
             QPolygonF rabat;
             rabat << QPointF(5, 8.5) << QPointF(18.5, 8.5) << QPointF(15.5, 15.5) << QPointF(2.5, 15.5);
             p.setBrush(QColor(250, 220, 130));
             p.drawPolygon(rabat);
         }},
        {"Bt_Fichier_Enregistrer", [](QPainter& p) {
             p.setPen(Trait(QColor(20, 40, 90), 1));
             p.setBrush(QColor(60, 100, 180));
             p.drawRect(QRectF(3.5, 3.5, 13, 13));
             p.setBrush(Papier);
             p.drawRect(QRectF(6.5, 3.5, 7, 5));
             p.setBrush(QColor(200, 200, 210));
             p.drawRect(QRectF(6, 11.5, 8, 5));
         }},
        {"Bt_Fichier_Proprietes", [](QPainter& p) {
             Page(p, 4.5, 2.5, 11, 15);
             LignesTexte(p, 6.5, 7.5, 7, 3);
             Texte(p, QRectF(9, 11, 8, 8), "i", 8, true, false, Bleu);
         }},
        {"Bt_Options_Preferences", [](QPainter& p) {
             QPainterPath roue;
             const QPointF c(10, 10);
             for (int i = 0; i < 16; ++i) {
                 const double a = i * 3.14159265 / 8;
                 const double r = (i % 2 == 0) ? 7.5 : 5.5;
                 const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
                 if (i == 0)
                     roue.moveTo(pt);
                 else
                     roue.lineTo(pt);
             }
             roue.closeSubpath();
             p.setPen(Trait(Encre, 1));
             p.setBrush(QColor(170, 170, 180));
             p.drawPath(roue);
             p.setBrush(Papier);
             p.drawEllipse(c, 2.2, 2.2);
         }},
        {"Bt_Fichier_Imprimer", [](QPainter& p) {
             p.setPen(Trait(Encre, 1));
             p.setBrush(Papier);
             p.drawRect(QRectF(6.5, 2.5, 7, 6));
             p.setBrush(QColor(170, 170, 180));
             p.drawRect(QRectF(2.5, 8.5, 15, 6));
             p.setBrush(Papier);
             p.drawRect(QRectF(6.5, 12.5, 7, 5));
             LignesTexte(p, 7.5, 14.5, 5, 1);
         }},
        {"Bt_Fichier_ApercuImp", [](QPainter& p) {
             Page(p, 2.5, 2.5, 10, 14);
             LignesTexte(p, 4, 6.5, 6, 2);
             p.setPen(Trait(Encre, 1.4));
             p.setBrush(QColor(200, 230, 255, 200));
             p.drawEllipse(QPointF(11.5, 11.5), 3.8, 3.8);
             p.setPen(Trait(Encre, 2.2));
             p.drawLine(QPointF(14.3, 14.3), QPointF(18, 18));
         }},
        {"Bt_Edition_Couper", [](QPainter& p) {
             p.setPen(Trait(Encre, 1.3));
             p.drawLine(QPointF(6, 3), QPointF(12.5, 13));
             p.drawLine(QPointF(14, 3), QPointF(7.5, 13));
             p.setBrush(Qt::NoBrush);
             p.setPen(Trait(Rouge, 1.4));
             p.drawEllipse(QPointF(6, 15), 2.6, 2.6);
             p.drawEllipse(QPointF(14, 15), 2.6, 2.6);
         }},
        {"Bt_Edition_Copier", [](QPainter& p) {
             Page(p, 2.5, 2.5, 9, 11);
             Page(p, 8.5, 6.5, 9, 11);
         }},
        {"Bt_Edition_Coller", [](QPainter& p) {
             p.setPen(Trait(QColor(110, 70, 30), 1));
             p.setBrush(QColor(190, 140, 80));
             p.drawRect(QRectF(3.5, 3.5, 11, 14));
             Page(p, 8.5, 7.5, 9, 10);
             p.setPen(Trait(Encre, 1));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(6.5, 2, 5, 3));
         }},
        {"Bt_Edition_Inserer", [](QPainter& p) {
             Mesure(p);
             Signe(p, true, Vert);
         }},
        {"Bt_Edition_Vider", [](QPainter& p) {
             Mesure(p);
             p.setPen(Trait(Rouge, 2));
             p.drawLine(QPointF(11, 10), QPointF(18, 17));
             p.drawLine(QPointF(18, 10), QPointF(11, 17));
         }},
        {"Bt_Edition_TableMix", [](QPainter& p) {
             const double x[3] = {5, 10, 15};
             const double y[3] = {12, 6, 9};
             for (int i = 0; i < 3; ++i) {
                 p.setPen(Trait(Encre, 1.2));
                 p.drawLine(QPointF(x[i], 3), QPointF(x[i], 17));
                 p.setPen(Trait(Encre, 1));
                 p.setBrush(QColor(120, 160, 220));
                 p.drawRect(QRectF(x[i] - 2.5, y[i] - 1.5, 5, 3));
             }
         }},
        {"Bt_Mesure_Premiere", [](QPainter& p) {
             p.setPen(Trait(Encre, 1.8));
             p.drawLine(QPointF(4, 5), QPointF(4, 15));
             Triangle(p, 5, 5, 6, 10, false, Encre);
             Triangle(p, 11, 5, 6, 10, false, Encre);
         }},
        {"Bt_Mesure_Precedente", [](QPainter& p) { Triangle(p, 6, 5, 8, 10, false, Encre); }},
        {"Bt_Mesure_AllerA", [](QPainter& p) {
             Fleche(p, QPointF(2.5, 10), QPointF(13, 10), Encre);
             p.setPen(Trait(Encre, 1.8));
             p.drawLine(QPointF(16, 4), QPointF(16, 16));
         }},
        {"Bt_Mesure_Suivante", [](QPainter& p) { Triangle(p, 6, 5, 8, 10, true, Encre); }},
        {"Bt_Mesure_Derniere", [](QPainter& p) {
             Triangle(p, 3, 5, 6, 10, true, Encre);
             Triangle(p, 9, 5, 6, 10, true, Encre);
             p.setPen(Trait(Encre, 1.8));
             p.drawLine(QPointF(16, 5), QPointF(16, 15));
         }},
        {"Bt_Mesure_Signature", [](QPainter& p) {
             Texte(p, QRectF(0, 0, 20, 10.5), "3", 10);
             Texte(p, QRectF(0, 9, 20, 10.5), "4", 10);
         }},
        {"Bt_Mesure_RenvoiDebut", [](QPainter& p) {
             p.setPen(Trait(Encre, 2.4));
             p.drawLine(QPointF(5, 3), QPointF(5, 17));
             p.setPen(Trait(Encre, 1));
             p.drawLine(QPointF(8.5, 3), QPointF(8.5, 17));
             p.setBrush(Encre);
             p.drawEllipse(QPointF(12.5, 8), 1.3, 1.3);
             p.drawEllipse(QPointF(12.5, 12), 1.3, 1.3);
         }},
        {"Bt_Mesure_RenvoiFin", [](QPainter& p) {
             p.setPen(Trait(Encre, 1));
             p.setBrush(Encre);
             p.drawEllipse(QPointF(7.5, 8), 1.3, 1.3);
             p.drawEllipse(QPointF(7.5, 12), 1.3, 1.3);
             p.drawLine(QPointF(11.5, 3), QPointF(11.5, 17));
             p.setPen(Trait(Encre, 2.4));
             p.drawLine(QPointF(15, 3), QPointF(15, 17));
         }},
        {"Bt_Mesure_Repetitions", [](QPainter& p) {
             p.setPen(Trait(Encre, 1.2));
             p.drawLine(QPointF(3, 16), QPointF(3, 4));
             p.drawLine(QPointF(3, 4), QPointF(18, 4));
             Texte(p, QRectF(3, 5, 12, 11), "1.", 10);
         }},
        {"Bt_Note_Ronde", [](QPainter& p) { Note(p, 10, 10, false, false, 0); }},
        {"Bt_Note_Blanche", [](QPainter& p) { Note(p, 8, 14, false, true, 0); }},
        {"Bt_Note_Noire", [](QPainter& p) { Note(p, 8, 14, true, true, 0); }},
        {"Bt_Note_Croche", [](QPainter& p) { Note(p, 7, 15.5, true, true, 1); }},
        {"Bt_Note_DCroche", [](QPainter& p) { Note(p, 7, 15.5, true, true, 2); }},
        {"Bt_Note_TCroche", [](QPainter& p) { Note(p, 7, 15.5, true, true, 3); }},
        {"Bt_Note_QCroche", [](QPainter& p) { Note(p, 7, 15.5, true, true, 4); }},
        {"Bt_Note_Pointee", [](QPainter& p) {
             Note(p, 7, 14, true, true, 0);
             p.setPen(Trait(Bleu, 1));
             p.setBrush(Bleu);
             p.drawEllipse(QPointF(14, 14), 1.4, 1.4);
         }},
        {"Bt_Note_Accord", [](QPainter& p) {
             p.setPen(Trait(Encre, 1));
             for (int i = 0; i < 6; ++i)
                 p.drawLine(QPointF(4 + 2.4 * i, 4), QPointF(4 + 2.4 * i, 17));
             p.setPen(Trait(Encre, 2));
             p.drawLine(QPointF(4, 4), QPointF(16, 4));
             p.setPen(Trait(Encre, 1));
             for (int i = 1; i < 4; ++i)
                 p.drawLine(QPointF(4, 4 + 4.3 * i), QPointF(16, 4 + 4.3 * i));
             p.setBrush(Bleu);
             p.setPen(Qt::NoPen);
             p.drawEllipse(QPointF(6.4, 10.2), 1.5, 1.5);
             p.drawEllipse(QPointF(11.2, 14.5), 1.5, 1.5);
             p.drawEllipse(QPointF(13.6, 10.2), 1.5, 1.5);
         }},
        {"Bt_Note_Annotation", [](QPainter& p) {
             Texte(p, QRectF(0, 0, 20, 17), "T", 15, true, false, Encre);
             LignesTexte(p, 3, 17.5, 14, 1);
         }},
        {"Bt_Note_NoteEtouffee", [](QPainter& p) {
             Cordes(p, 3, 5, 5);
             p.setPen(Trait(Bleu, 1.8));
             p.drawLine(QPointF(7, 7), QPointF(13, 13));
             p.drawLine(QPointF(13, 7), QPointF(7, 13));
         }},
        {"Bt_Note_Silence", [](QPainter& p) {
             QPainterPath s;
             s.moveTo(8, 2.5);
             s.lineTo(12.5, 7.5);
             s.lineTo(9, 11);
             s.lineTo(12.5, 14.5);
             s.cubicTo(8, 13, 7, 16, 10, 18);
             p.setPen(Trait(Bleu, 1.8));
             p.setBrush(Qt::NoBrush);
             p.drawPath(s);
         }},
        {"Bt_Note_Triolet", [](QPainter& p) {
             p.setPen(Trait(Encre, 1));
             p.drawLine(QPointF(3, 8), QPointF(3, 5));
             p.drawLine(QPointF(3, 5), QPointF(7, 5));
             p.drawLine(QPointF(13, 5), QPointF(17, 5));
             p.drawLine(QPointF(17, 5), QPointF(17, 8));
             Texte(p, QRectF(6, 0, 8, 10), "3", 9, true, true, Encre);
             for (int i = 0; i < 3; ++i) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(Bleu);
                 p.drawEllipse(QPointF(4.5 + 5.5 * i, 15), 2, 1.6);
             }
         }},
        {"Bt_Note_Lier", [](QPainter& p) {
             Note(p, 5, 14, true, false, 0);
             Note(p, 15, 14, true, false, 0);
             QPainterPath arc;
             arc.moveTo(5, 10);
             arc.quadTo(10, 4, 15, 10);
             p.setPen(Trait(Encre, 1.3));
             p.setBrush(Qt::NoBrush);
             p.drawPath(arc);
         }},
        {"Bt_Note_InsererTemps", [](QPainter& p) {
             Cordes(p, 4, 3, 3);
             Signe(p, true, Vert);
         }},
        {"Bt_Note_SupprimerTemps", [](QPainter& p) {
             Cordes(p, 4, 3, 3);
             Signe(p, false, Rouge);
         }},
        {"Bt_Note_CopierTempsfin", [](QPainter& p) {
             Cordes(p, 4, 4, 4);
             Texte(p, QRectF(1, 0, 8, 19), "5", 10, true, false, Bleu);
             Fleche(p, QPointF(8, 10), QPointF(15.5, 10), Vert);
             p.setPen(Trait(Encre, 1.5));
             p.drawLine(QPointF(18, 3), QPointF(18, 17));
         }},
        {"Bt_Note_DeplacerHaut", [](QPainter& p) {
             Cordes(p, 4, 4, 4);
             Fleche(p, QPointF(10, 17), QPointF(10, 3), Bleu, 2);
         }},
        {"Bt_Note_DeplacerBas", [](QPainter& p) {
             Cordes(p, 4, 4, 4);
             Fleche(p, QPointF(10, 3), QPointF(10, 17), Bleu, 2);
         }},
        {"Bt_Effet_HO", [](QPainter& p) { Effet(p, "h"); }},
        {"Bt_Effet_PO", [](QPainter& p) { Effet(p, "p"); }},
        {"Bt_Effet_SlideUp", [](QPainter& p) {
             Cordes(p, 3, 5, 5);
             p.setPen(Trait(Bleu, 1.8));
             p.drawLine(QPointF(4, 16), QPointF(16, 4));
         }},
        {"Bt_Effet_SlideDown", [](QPainter& p) {
             Cordes(p, 3, 5, 5);
             p.setPen(Trait(Bleu, 1.8));
             p.drawLine(QPointF(4, 4), QPointF(16, 16));
         }},
        {"Bt_Effet_Bend", [](QPainter& p) {
             QPainterPath c;
             c.moveTo(3, 16);
             c.quadTo(12, 16, 13, 5);
             p.setPen(Trait(Bleu, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawPath(c);
             Triangle(p, 10, 2, 6, 5, true, Bleu);
         }},
        {"Bt_Effet_BendRelease", [](QPainter& p) {
             QPainterPath c;
             c.moveTo(2, 17);
             c.quadTo(6, 4, 10, 4);
             c.quadTo(14, 4, 18, 17);
             p.setPen(Trait(Bleu, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawPath(c);
             Fleche(p, QPointF(15, 9), QPointF(17.6, 16.5), Bleu, 1.5);
         }},
        {"Bt_Effet_LetRing", [](QPainter& p) {
             Texte(p, QRectF(0, 0, 20, 12), "L.R.", 8, true, true, Bleu);
             QPen pointille = Trait(Bleu, 1.2);
             pointille.setDashPattern({1.5, 1.5});
             p.setPen(pointille);
             p.drawLine(QPointF(2, 14), QPointF(17, 14));
             p.setPen(Trait(Bleu, 1.2));
             p.drawLine(QPointF(17, 12), QPointF(17, 16));
         }},
        {"Bt_Effet_GraceNote", [](QPainter& p) {
             Note(p, 12, 15, true, true, 1);
             p.setPen(Trait(Bleu, 1));
             p.drawLine(QPointF(11, 9), QPointF(18, 4));
         }},
        {"Bt_Effet_GhostNote", [](QPainter& p) { Effet(p, "(5)", 11, false); }},
        {"Bt_Effet_VibMainGauche", [](QPainter& p) { Ondulation(p, 2, 18, 10, 1.8, 6, Bleu); }},
        {"Bt_Effet_TremoloBar", [](QPainter& p) {
             p.setPen(Trait(Bleu, 1.6));
             QPolygonF v;
             v << QPointF(2, 6) << QPointF(7, 6) << QPointF(11, 15) << QPointF(14, 6) << QPointF(18, 6);
             p.drawPolyline(v);
         }},
        {"Bt_Effet_CoupDeVibrato", [](QPainter& p) {
             p.setPen(Trait(Bleu, 1.6));
             QPolygonF v;
             v << QPointF(3, 7) << QPointF(8, 7) << QPointF(10, 13) << QPointF(12, 7) << QPointF(17, 7);
             p.drawPolyline(v);
             Texte(p, QRectF(0, 11, 20, 9), "w", 9, true, true, Bleu);
         }},
        {"Bt_Effet_HarmNat", [](QPainter& p) {
             QPolygonF d;
             d << QPointF(10, 3) << QPointF(16, 10) << QPointF(10, 17) << QPointF(4, 10);
             p.setPen(Trait(Bleu, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawPolygon(d);
         }},
        {"Bt_Effet_HarmArt", [](QPainter& p) {
             QPolygonF d;
             d << QPointF(8, 5) << QPointF(13, 11) << QPointF(8, 17) << QPointF(3, 11);
             p.setPen(Trait(Bleu, 1.5));
             p.setBrush(QColor(150, 180, 230));
             p.drawPolygon(d);
             Texte(p, QRectF(11, 0, 9, 10), "A", 8, true, false, Bleu);
         }},
        {"Bt_Effet_FadeIn", [](QPainter& p) {
             p.setPen(Trait(Bleu, 1.5));
             p.drawLine(QPointF(3, 10), QPointF(17, 5));
             p.drawLine(QPointF(3, 10), QPointF(17, 15));
         }},
        {"Bt_Effet_TappingMD", [](QPainter& p) { Effet(p, "T", 12, false); }},
        {"Bt_Effet_Slap", [](QPainter& p) { Effet(p, "S", 12, false); }},
        {"Bt_Effet_Pop", [](QPainter& p) { Effet(p, "P", 12, false); }},
        {"Bt_Effet_BrushUp", [](QPainter& p) {
             Cordes(p, 4, 4, 4);
             Fleche(p, QPointF(10, 18), QPointF(10, 2), Bleu, 1.8);
         }},
        {"Bt_Effet_BrushDown", [](QPainter& p) {
             Cordes(p, 4, 4, 4);
             Fleche(p, QPointF(10, 2), QPointF(10, 18), Bleu, 1.8);
         }},
        {"BT_DynaForm", [](QPainter& p) { Texte(p, QRectF(0, 0, 20, 20), "mf", 12, true, true, QColor(120, 30, 120)); }},
        {"Bt_Ass_Solfege", [](QPainter& p) {
             p.setPen(Trait(Gris, 1));
             for (int i = 0; i < 5; ++i)
                 p.drawLine(QPointF(2, 5 + 2.6 * i), QPointF(18, 5 + 2.6 * i));
             Note(p, 9, 12.8, true, true, 0, Encre);
         }},
        {"Bt_Son_LectureDebut", [](QPainter& p) {
             p.setPen(Trait(Vert, 1.8));
             p.drawLine(QPointF(4, 4), QPointF(4, 16));
             Triangle(p, 7, 4, 10, 12, true, Vert);
         }},
        {"Bt_Son_LecturePosEC", [](QPainter& p) { Triangle(p, 5, 4, 11, 12, true, Vert); }},
        {"Bt_Son_LectureMesureEC", [](QPainter& p) {
             p.setPen(Trait(Encre, 1.3));
             p.drawLine(QPointF(3, 3), QPointF(3, 17));
             p.drawLine(QPointF(17, 3), QPointF(17, 17));
             Triangle(p, 6.5, 5, 8, 10, true, Vert);
         }},
        {"Bt_Son_Stop", [](QPainter& p) {
             p.setPen(Trait(Rouge, 1));
             p.setBrush(Rouge);
             p.drawRect(QRectF(5, 5, 10, 10));
         }},
        {"Bt_Son_EnBoucle", [](QPainter& p) {
             p.setPen(Trait(Bleu, 1.8));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(3.5, 3.5, 13, 13), 110 * 16, 290 * 16);
             Triangle(p, 3.5, 2, 5.5, 6, false, Bleu);
         }},
        {"Bt_Son_Metronome", [](QPainter& p) {
             QPolygonF corps;
             corps << QPointF(7, 3) << QPointF(13, 3) << QPointF(17, 17) << QPointF(3, 17);
             p.setPen(Trait(QColor(100, 60, 20), 1));
             p.setBrush(QColor(200, 150, 90));
             p.drawPolygon(corps);
             p.setPen(Trait(Encre, 1.5));
             p.drawLine(QPointF(10, 15), QPointF(14, 5));
         }},
        {"Bt_Affichage_PleinEcran", [](QPainter& p) {
             p.setPen(Trait(Encre, 1));
             p.setBrush(Papier);
             p.drawRect(QRectF(2.5, 3.5, 15, 13));
             p.setPen(Trait(Gris, 1));
             for (int i = 0; i < 3; ++i)
                 p.drawLine(QPointF(4, 6.5 + 2 * i), QPointF(16, 6.5 + 2 * i));
             for (int i = 0; i < 3; ++i)
                 p.drawLine(QPointF(4, 12.5 + 1.5 * i), QPointF(16, 12.5 + 1.5 * i));
         }},
        {"BT_Valider", [](QPainter& p) {
             p.setPen(Trait(Vert, 2.6));
             p.drawLine(QPointF(4, 10.5), QPointF(8.5, 15));
             p.drawLine(QPointF(8.5, 15), QPointF(16.5, 4.5));
         }},
        {"BT_AnnulerMesure", [](QPainter& p) {
             QPainterPath c;
             c.moveTo(6, 7);
             c.lineTo(12, 7);
             c.cubicTo(18, 7, 18, 16, 12, 16);
             c.lineTo(7, 16);
             p.setPen(Trait(Rouge, 2));
             p.setBrush(Qt::NoBrush);
             p.drawPath(c);
             Triangle(p, 2, 3, 5, 8, false, Rouge);
         }},
        {"PisteUp", [](QPainter& p) {
             QPolygonF t;
             t << QPointF(10, 5) << QPointF(16, 14) << QPointF(4, 14);
             p.setPen(Trait(Encre, 1));
             p.setBrush(Encre);
             p.drawPolygon(t);
         }},
        {"PisteDown", [](QPainter& p) {
             QPolygonF t;
             t << QPointF(4, 6) << QPointF(16, 6) << QPointF(10, 15);
             p.setPen(Trait(Encre, 1));
             p.setBrush(Encre);
             p.drawPolygon(t);
         }},
    };
    return dessins;
}

// The side a picture is drawn at for a screen of `ratio`: 20 pixels, or 40 on a screen of a
// higher ratio. The pictures drawn beside the start are at the same side, or go unused.
int PixelsDessin(qreal ratio) { return ratio > 1.0 ? 2 * TailleIcone : TailleIcone; }

// One picture on a transparent square of `pixels`. Only Qt's raster engine draws here, so a
// thread other than the interface's may do it.
QImage DessinerImage(const Dessin& dessin, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(pixels / qreal(TailleIcone), pixels / qreal(TailleIcone));
    dessin(p);
    return image;
}

// The pictures drawn beside the start (IconesEnArrierePlan), at one size.
struct LotIcones {
    int pixels = 0;
    std::shared_future<std::map<const Dessin*, QImage>> images;
};

LotIcones& LotPrepare()
{
    static LotIcones lot;
    return lot;
}

// Each picture is drawn at the size it is asked for, the first time it is asked for, unless
// it was drawn beside the start.
class IconeDessinee final : public QIconEngine {
public:
    explicit IconeDessinee(const Dessin& dessin) : dessin_(dessin) {}

    QIconEngine* clone() const override { return new IconeDessinee(dessin_); }
    QString key() const override { return QStringLiteral("IconeDessinee"); }
    QSize actualSize(const QSize& taille, QIcon::Mode, QIcon::State) override
    {
        return taille.boundedTo(QSize(TailleIcone, TailleIcone));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(TailleIcone, TailleIcone), QSize(2 * TailleIcone, 2 * TailleIcone)};
    }

    QPixmap pixmap(const QSize& taille, QIcon::Mode mode, QIcon::State) override { return Image(taille, mode, 1); }

    void paint(QPainter* peintre, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = peintre->device() ? peintre->device()->devicePixelRatio() : 1.0;
        QPixmap image = Image(rect.size() * ratio, mode, ratio);
        image.setDevicePixelRatio(ratio);
        peintre->drawPixmap(rect.topLeft(), image);
    }

    void virtual_hook(int id, void* donnees) override
    {
        if (id == QIconEngine::ScaledPixmapHook) {
            auto* arg = static_cast<QIconEngine::ScaledPixmapArgument*>(donnees);
            arg->pixmap = Image(arg->size, arg->mode, arg->scale);
            return;
        }
        QIconEngine::virtual_hook(id, donnees);
    }

private:
    using Cle = std::tuple<int, int, QIcon::Mode>;

    // The picture at PixelsDessin; a smaller size is that picture scaled down, a larger one
    // gets it as it is.
    QPixmap Image(const QSize& taille, QIcon::Mode mode, qreal ratio)
    {
        if (taille.isEmpty())
            return {};
        const int plafond = PixelsDessin(ratio);
        const Cle cle{std::min(taille.width(), plafond), std::min(taille.height(), plafond), mode};
        if (const auto it = images_.find(cle); it != images_.end())
            return it->second;
        QPixmap image;
        if (mode != QIcon::Normal) {
            // Disabled and selected looks come from the style, as for an icon made of pixmaps.
            image = Image(taille, QIcon::Normal, ratio);
            if (QApplication::style()) {
                QStyleOption option;
                option.palette = QGuiApplication::palette();
                image = QApplication::style()->generatedIconPixmap(mode, image, &option);
            }
        } else {
            image = Dessiner(plafond);
            if (taille.width() < plafond || taille.height() < plafond)
                image = image.scaled(taille.boundedTo(image.size()), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        images_.emplace(cle, image);
        return image;
    }

    QPixmap Dessiner(int pixels) const
    {
        const LotIcones& lot = LotPrepare();
        if (lot.images.valid() && lot.pixels == pixels) {
            const auto& images = lot.images.get();
            if (const auto it = images.find(&dessin_); it != images.end())
                return QPixmap::fromImage(it->second);
        }
        return QPixmap::fromImage(DessinerImage(dessin_, pixels));
    }

    const Dessin& dessin_;
    std::map<Cle, QPixmap> images_;
};

} // namespace

QIcon IconeBouton(std::string_view nom)
{
    const auto& dessins = Dessins();
    const auto it = dessins.find(nom);
    if (it == dessins.end())
        return {};
    return QIcon(new IconeDessinee(it->second));
}

IconesEnArrierePlan::IconesEnArrierePlan()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const int pixels = PixelsDessin(ecran ? ecran->devicePixelRatio() : 1.0);
    LotIcones& lot = LotPrepare();
    lot.pixels = pixels;
    lot.images = std::async(std::launch::async, [pixels] {
                     std::map<const Dessin*, QImage> images;
                     for (const auto& [nom, dessin] : Dessins())
                         images.emplace(&dessin, DessinerImage(dessin, pixels));
                     return images;
                 }).share();
}

IconesEnArrierePlan::~IconesEnArrierePlan()
{
    // The thread is done with the fonts before the application object goes.
    LotIcones& lot = LotPrepare();
    if (lot.images.valid())
        lot.images.wait();
    lot = {};
}
