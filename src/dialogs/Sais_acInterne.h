#pragma once
// What the units of the chord dialog (Sais_ac*.cpp) share. Only they include it.
#include <QValidator>

namespace {

constexpr int kLimiteNomAccord = 10;   // typed characters when a stored chord is shown
constexpr int kLimiteNomPerso = 20;    // and for a chord started from the beat's frets
constexpr int kFretteBaseMax = 20;

// Sets a flag for as long as it lives, then gives it its old value back.
class Garde {
public:
    explicit Garde(bool& drapeau) : drapeau_(drapeau), ancien_(drapeau) { drapeau_ = true; }
    ~Garde() { drapeau_ = ancien_; }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    bool& drapeau_;
    bool ancien_;
};

} // namespace

// An edit's limit on typed characters only: an edit that makes the text longer than the limit
// (and longer than it was) is refused, whereas the text the dialog puts there, and the user's
// deletions in it, may be longer.
class LimiteSaisie : public QValidator {
public:
    using QValidator::QValidator;
    int Limite = kLimiteNomAccord;
    QString Precedent; // the text before the edit being checked

    State validate(QString& texte, int&) const override
    {
        return texte.size() > Limite && texte.size() > Precedent.size() ? Invalid : Acceptable;
    }
};
