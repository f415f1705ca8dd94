walk.shotOf(&dialog, QStringLiteral("feed"));
