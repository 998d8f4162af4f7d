// The sound module is loaded at the first sound, not before, and its absence costs no more
// than the X bell.
#include "lazysound.h"

#include <QTest>

class LazySoundTest : public QObject {
    Q_OBJECT
private slots:
    void moduleIsLoadedByTheFirstSoundOnly();
    void missingModuleFallsBackWithoutFailing();
};

void LazySoundTest::moduleIsLoadedByTheFirstSoundOnly()
{
    horaloom::LazySound sound({QStringLiteral("/nonexistent"), QStringLiteral(HORALOOM_SOUND_DIR)});
    QTest::qWait(200);
    QVERIFY(!sound.loaded());
    sound.beep();
    sound.playWave("/nonexistent/alarm.wav"); // asked for while loading: the default sound
    QTRY_VERIFY(sound.loaded());
    sound.beep();
    QTest::qWait(300);
}

void LazySoundTest::missingModuleFallsBackWithoutFailing()
{
    horaloom::LazySound sound({QStringLiteral("/nonexistent")});
    sound.beep();
    sound.playWave("/nonexistent/alarm.wav");
    QTest::qWait(200);
    QVERIFY(!sound.loaded());
    sound.beep(); // the X bell, at once
}

QTEST_MAIN(LazySoundTest)
#include "test_lazysound.moc"
