// The sound module is loaded at the first sound, not before, and its absence costs no more
// than the X bell. In the private desktop, with a real sound server.
#include "lazysound.h"

#include <QTest>

class LazySoundTest : public QObject {
    Q_OBJECT
private slots:
    void moduleIsLoadedByTheFirstSoundOnly();
};

void LazySoundTest::moduleIsLoadedByTheFirstSoundOnly()
{
    horaloom::LazySound sound({QStringLiteral("/nonexistent"), QStringLiteral(HORALOOM_SOUND_DIR)});
    QCoreApplication::processEvents();
    QVERIFY(!sound.loaded());
    sound.beep();
    sound.playWave("/nonexistent/alarm.wav"); // asked for while loading: the default sound
    QTRY_VERIFY(sound.loaded());
    sound.beep();
    horaloom::LazySound none({QStringLiteral("/nonexistent")});
    none.beep();
    none.playWave("/nonexistent/alarm.wav");
    none.beep(); // the X bell, whether the loader has given up yet or not
    QVERIFY(!none.loaded());
}

QTEST_MAIN(LazySoundTest)
#include "test_lazysound.moc"
