// The audio module: Qt Multimedia's audio sink fed from a buffer of its own, so that the
// samples stay valid whatever becomes of the wave they came from.
#include "controls/SortieAudio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <memory>

namespace {

class SortieAudioQt final : public ISortieAudio {
public:
    ~SortieAudioQt() override { Arreter(); }

    bool Jouer(std::vector<int16_t> echantillons, int canaux, int frequence) override
    {
        Arreter();
        if (echantillons.empty() || canaux < 1 || frequence < 1)
            return false;
        const QAudioDevice peripherique = QMediaDevices::defaultAudioOutput();
        if (peripherique.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(frequence);
        format.setChannelCount(canaux);
        format.setSampleFormat(QAudioFormat::Int16);
        octets_ = QByteArray(reinterpret_cast<const char*>(echantillons.data()),
                             static_cast<qsizetype>(echantillons.size() * sizeof(int16_t)));
        tampon_ = std::make_unique<QBuffer>(&octets_);
        tampon_->open(QIODevice::ReadOnly);
        contexte_ = std::make_unique<QObject>();
        sink_ = std::make_unique<QAudioSink>(peripherique, format);
        QObject::connect(sink_.get(), &QAudioSink::stateChanged, contexte_.get(), [this](QAudio::State etat) {
            // Idle: the buffer is played out. The sink is stopped outside its own signal.
            if (etat == QAudio::IdleState || etat == QAudio::StoppedState)
                QTimer::singleShot(0, contexte_.get(), [this] { Arreter(); });
        });
        sink_->start(tampon_.get());
        if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
            Arreter();
            return false;
        }
        return true;
    }

    void Arreter() override
    {
        contexte_.reset(); // no queued stop reaches a later sound
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
        tampon_.reset();
        octets_.clear();
    }

    bool Termine() const override { return !sink_; }

private:
    std::unique_ptr<QObject> contexte_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> tampon_;
    QByteArray octets_;
};

} // namespace

extern "C" __attribute__((visibility("default"))) ISortieAudio* lyrx_creer_sortie_audio()
{
    return new SortieAudioQt();
}
