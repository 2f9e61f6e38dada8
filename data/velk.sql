-- Schema and shipped contents of the game database "data/velk.db".
--
-- The build applies this script to the database in one transaction, also to a
-- database that already exists, so every statement must be safe to run again:
--   * tables are created only when missing;
--   * settings rows are inserted only when missing, so a player's values stay;
--   * translations and catalogue rows are game data and are replaced, so new
--     texts reach existing databases;
--   * high scores are never touched.
-- No BEGIN or COMMIT here: the caller wraps the script in its own transaction.

CREATE TABLE IF NOT EXISTS "settings" (
    "name"  TEXT PRIMARY KEY NOT NULL,
    "value" TEXT NOT NULL
);

CREATE TABLE IF NOT EXISTS "lang" (
    "code" TEXT PRIMARY KEY NOT NULL,
    "en"   TEXT NOT NULL,
    "hu"   TEXT NOT NULL
);

CREATE TABLE IF NOT EXISTS "part" (
    "id"       INTEGER PRIMARY KEY NOT NULL,
    "code"     TEXT NOT NULL,
    "image"    TEXT NOT NULL,
    "body"     TEXT NOT NULL,
    "category" TEXT NOT NULL,
    "shape"    TEXT NOT NULL
);

CREATE TABLE IF NOT EXISTS "scores" (
    "name"  TEXT NOT NULL DEFAULT '',
    "score" INTEGER NOT NULL DEFAULT 0,
    "map"   TEXT NOT NULL DEFAULT '',
    "mode"  INTEGER NOT NULL DEFAULT 0
);

-- Default settings: English, a 1024x768 window, 60 frames a second, full volume.
-- The GUI draws its own mouse cursor, so the system cursor is hidden.
INSERT OR IGNORE INTO "settings" ("name", "value") VALUES
    ('general.lang',          'en'),
    ('graphics.resolution',   '1024x768'),
    ('graphics.fsaahint',     'nicest'),
    ('graphics.fps',          '60'),
    ('graphics.fullscreen',   '0'),
    ('graphics.resizable',    '0'),
    ('graphics.vsyncenabled', '0'),
    ('graphics.mousevisible', '0'),
    ('graphics.fsaa',         '0'),
    ('graphics.colorblind',   '0'),
    ('audio.mainvolume',      '100'),
    ('audio.musicvolume',     '100'),
    ('audio.soundvolume',     '100');

-- Translations. The row "general.localname" holds each language's own name.
INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES
    ('general.localname', 'English', 'Magyar'),
    ('general.load', 'Load', 'Betöltés'),
    ('general.save', 'Save', 'Mentés'),
    ('general.done',  'Done',  'Kész'),
    ('general.close', 'Close', 'Bezárás'),
    ('general.back',  'Back',  'Vissza'),

    ('mainmenu.newgame',    'New game',    'Új játék'),
    ('mainmenu.highscores', 'High scores', 'Dicsőséglista'),
    ('mainmenu.editor',     'Ship editor', 'Hajóépítő'),
    ('mainmenu.mapper',     'Map editor',  'Pályaszerkesztő'),
    ('mainmenu.options',    'Settings',    'Beállítások'),
    ('mainmenu.credits',    'Credits',     'Készítők'),
    ('mainmenu.exit',       'Exit',        'Kilépés'),
    ('mainmenu.lang.title', 'Language / Nyelv', 'Nyelv / Language'),

    ('credits.text',
        'VELKORS' || char(10) || char(10) ||
        'Design, code, art and music: the Velkors team' || char(10) || char(10) ||
        'Built with SFML, CEGUI, Box2D, SQLite, JsonCpp and Boost.' || char(10) ||
        'Fonts: DejaVu, Open Sans and Bebas Neue.' || char(10) || char(10) ||
        'Thank you for playing!',
        'VELKORS' || char(10) || char(10) ||
        'Terv, program, grafika és zene: a Velkors csapata' || char(10) || char(10) ||
        'Az SFML, a CEGUI, a Box2D, az SQLite, a JsonCpp és a Boost segítségével készült.' || char(10) ||
        'Betűtípusok: DejaVu, Open Sans és Bebas Neue.' || char(10) || char(10) ||
        'Köszönjük, hogy játszol!'),

    ('highscores.name',     'Name',     'Név'),
    ('highscores.score',    'Score',    'Pontszám'),
    ('highscores.map',      'Map',      'Pálya'),
    ('highscores.allmaps',  'All maps', 'Összes pálya'),
    ('highscores.clear',    'Clear',    'Törlés'),

    ('mapper.untitled', 'Untitled',          'Névtelen'),
    ('mapper.ts',       'units per tile',    'egység csempénként'),
    ('mapper.tpt',      'tiles per texture', 'csempe textúránként'),

    ('setting.tab.graphics', 'Graphics', 'Grafika'),
    ('setting.tab.audio',    'Audio',    'Hang'),
    ('setting.tab.others',   'Others',   'Egyéb'),
    ('setting.graphics.resolution', 'Resolution',          'Felbontás'),
    ('setting.graphics.fullscreen', 'Full screen',         'Teljes képernyő'),
    ('setting.graphics.fps',        'Frame rate limit',    'Képfrissítési korlát'),
    ('setting.graphics.aa',         'Antialiasing',        'Élsimítás'),
    ('setting.graphics.vsync',      'Vertical sync',       'Függőleges szinkron'),
    ('setting.graphics.fov',        'Field of view',       'Látómező'),
    ('setting.graphics.colorblind', 'Colour-blind filter', 'Színtévesztő-szűrő'),
    ('setting.audio.main',  'Main volume',   'Fő hangerő'),
    ('setting.audio.music', 'Music',         'Zene'),
    ('setting.audio.sound', 'Sound effects', 'Hangeffektusok'),
    ('setting.others.language', 'Language', 'Nyelv'),

    ('setting.graphics.resolution.tooltip',
        'Size of the game window in pixels.',
        'A játékablak mérete képpontban.'),
    ('setting.graphics.fullscreen.tooltip',
        'Run the game on the whole screen.',
        'A játék teljes képernyőn fut.'),
    ('setting.graphics.fps.tooltip',
        'Frame rate limit: how many pictures are drawn each second.',
        'Képfrissítési korlát: másodpercenként legfeljebb ennyi kép készül.'),
    ('setting.graphics.aa.tooltip',
        'Antialiasing smooths the edges of shapes. Higher levels look better but run slower.',
        'Az élsimítás kisimítja az alakzatok széleit. A magasabb fokozat szebb, de lassabb.'),
    ('setting.graphics.vsync.tooltip',
        'Vertical sync matches the frame rate to the monitor and stops the picture from tearing.',
        'A függőleges szinkron a monitorhoz igazítja a képfrissítést, így a kép nem szakad szét.'),
    ('setting.graphics.fov.tooltip',
        'Field of view.',
        'Látómező.'),
    ('setting.graphics.fovfun',
        'Nice try, but the view stays as it is.',
        'Szép próbálkozás, de a látómező marad a régi.'),
    ('setting.graphics.colorblind.tooltip',
        'Colour filter for colour-blind players.',
        'Színszűrő színtévesztő játékosoknak.'),
    ('setting.graphics.colorblind.v0', 'None',         'Nincs'),
    ('setting.graphics.colorblind.v1', 'Protanopia',   'Protanópia'),
    ('setting.graphics.colorblind.v2', 'Deuteranopia', 'Deuteranópia'),
    ('setting.graphics.colorblind.v3', 'Tritanopia',   'Tritanópia');

-- The part catalogue ("part") comes with the ship model's data.

-- The map editor's texts.
INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES
    ('mapper.map',              'Map',                'Pálya'),
    ('mapper.new',              'New',                'Új'),
    ('mapper.load',             'Load',               'Betöltés'),
    ('mapper.save',             'Save',               'Mentés'),
    ('mapper.saveas',           'Save as',            'Mentés másként'),
    ('mapper.exit',             'Exit',               'Kilépés'),
    ('mapper.properties',       'Map details',        'A pálya adatai'),
    ('mapper.properties.edit',  'Properties',         'Tulajdonságok'),
    ('mapper.tiles',            'Tiles',              'Csempék'),
    ('mapper.brush',            'Brush size',         'Ecsetméret'),
    ('mapper.newmap.title',     'New map',            'Új pálya'),
    ('mapper.properties.title', 'Map properties',     'A pálya tulajdonságai'),
    ('mapper.size',             'Size in tiles',      'Méret csempében'),
    ('mapper.width',            'Width',              'Szélesség'),
    ('mapper.height',           'Height',             'Magasság'),
    ('mapper.tilesize',         'Tile size (units)',  'Csempeméret (egység)'),
    ('mapper.tilespertexture',  'Tiles per texture',  'Csempe textúránként'),
    ('mapper.create',           'Create',             'Létrehozás'),
    ('mapper.ok',               'OK',                 'Rendben'),
    ('mapper.cancel',           'Cancel',             'Mégse'),
    ('mapper.load.title',       'Load map',           'Pálya betöltése'),
    ('mapper.save.title',       'Save map',           'Pálya mentése'),
    ('mapper.filename',         'File name',          'Fájlnév'),
    ('mapper.status.loadfailed', 'The map could not be loaded', 'A pályát nem sikerült betölteni'),
    ('mapper.status.savefailed', 'The map could not be saved',  'A pályát nem sikerült elmenteni'),
    ('mapper.status.badname',    'Give a plain file name, without folders', 'Mappa nélküli fájlnevet adj meg');
