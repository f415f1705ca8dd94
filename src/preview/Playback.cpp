#include "preview/Playback.h"

Playback::Playback(QObject* parent) : QObject(parent) {}
