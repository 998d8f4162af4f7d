#include "qtsound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace horaloom {

namespace {
const QUrl beepUrl(QStringLiteral("qrc:/horaloom/beep.wav"));
}

QtSound::QtSound()
{
    m_beep = std::make_unique<QSoundEffect>();
    m_beep->setSource(beepUrl);
    m_wave = std::make_unique<QSoundEffect>();
}

QtSound::~QtSound() = default;

bool QtSound::audioAvailable() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSound::beep()
{
    if (!audioAvailable()) {
        // No sound server at all: the X bell is the only beep there is.
        QApplication::beep();
        return;
    }
    m_beep->stop();
    m_beep->play();
}

void QtSound::playWave(const std::string& bytes)
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(bytes));
    if (!audioAvailable()) {
        QApplication::beep();
        return;
    }
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile() || !file.isReadable()) {
        // What cannot be played gives the default sound, silently.
        beep();
        return;
    }
    m_wave->stop();
    m_wave = std::make_unique<QSoundEffect>();
    // A file that turns out not to be a playable wave gives the default sound instead.
    connect(m_wave.get(), &QSoundEffect::statusChanged, this, [this, effect = m_wave.get()] {
        if (effect == m_wave.get() && effect->status() == QSoundEffect::Error) {
            beep();
        }
    });
    m_wave->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_wave->play();
}

} // namespace horaloom
