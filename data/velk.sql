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
    ('mapper.ts',       'Units per tile',    'Egység csempénként'),
    ('mapper.tpt',      'Tiles per texture', 'Csempe textúránként'),

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

-- The part catalogue: id, code (object folder and translation code), editor
-- picture name, outline (x y pairs, y up), category, picture rectangle (x y w h, y down).
-- BEGIN part catalogue: generated by tools/assets/parts/parts.py, do not edit by hand.
INSERT OR REPLACE INTO "part" ("id", "code", "image", "body", "category", "shape") VALUES
    (1, 'jet.mkiii', 'jet.mkiii', '-0.85 -1.35 0.85 -1.35 1 -0.6 0.8 1.1 -0.8 1.1 -1 -0.6', 'jet', '-1.06 -1.06 2.12 2.47'),
    (2, 'jet.mki', 'jet.mki', '-0.35 -0.67 0.35 -0.67 0.35 0.67 -0.35 0.67', 'jet', '-0.47 -0.72 0.94 1.44'),
    (3, 'jet.mkii', 'jet.mkii', '-0.45 -0.82 0.45 -0.82 0.45 0.82 -0.45 0.82', 'jet', '-0.57 -0.87 1.14 1.74'),
    (10, 'track.light', 'track.light', '-1.702 -0.895 1.702 -0.895 1.702 0.24 -1.702 0.24', 'track', '-1.762 -0.3 3.524 1.255'),
    (11, 'track.heavy', 'track.heavy', '-2.02 -1.05 2.02 -1.05 2.02 0.29 -2.02 0.29', 'track', '-2.08 -0.35 4.16 1.46'),
    (20, 'drill.light', 'drill.light', '-0.65 -0.35 1.2 -0.35 1.2 0.35 -0.65 0.35', 'drill', '-0.7 -0.4 1.95 0.8'),
    (21, 'drill.heavy', 'drill.heavy', '-0.8 -0.45 1.41 -0.45 1.41 0.45 -0.8 0.45', 'drill', '-0.85 -0.5 2.31 1'),
    (30, 'drillhead.standard', 'drillhead.standard', '-0.35 0.12 -0.112 -1.22 0 -1.3 0.112 -1.22 0.35 0.12', 'drillhead', '-0.41 -0.32 0.82 1.68'),
    (31, 'drillhead.wide', 'drillhead.wide', '-0.55 0.12 -0.176 -1.42 0 -1.5 0.176 -1.42 0.55 0.12', 'drillhead', '-0.61 -0.38 1.22 1.94'),
    (32, 'drillhead.diamond', 'drillhead.diamond', '-0.275 0.12 -0.088 -1.42 0 -1.5 0.088 -1.42 0.275 0.12', 'drillhead', '-0.335 -0.3 0.67 1.86'),
    (40, 'cockpit.bubble', 'cockpit.bubble', '-1.1 -0.3 1.1 -0.3 1 0.3 0.6 0.75 0 0.9 -0.6 0.75 -1 0.3', 'cockpit', '-1.16 -0.96 2.32 1.32'),
    (41, 'cockpit.visor', 'cockpit.visor', '-1.4 -0.3 1.4 -0.3 1.35 0.1 0.8 0.55 -0.9 0.55 -1.4 0.15', 'cockpit', '-1.46 -0.61 2.92 0.97'),
    (50, 'antenna', 'antenna', '-0.3 -0.02 0.3 -0.02 0.3 0.22 0.06 1.66 -0.06 1.66 -0.3 0.22', 'antenna', '-0.46 -1.72 0.92 1.8'),
    (60, 'lamp.spot', 'lamp.spot', '-0.35 -0.2 0.35 -0.2 0.35 0.2 -0.35 0.2', 'lamp', '-0.35 -0.25 0.74 0.5'),
    (61, 'lamp.flood', 'lamp.flood', '-0.3 -0.3 0.3 -0.3 0.3 0.3 -0.3 0.3', 'lamp', '-0.3 -0.35 0.64 0.7');

-- Display names of the parts (their codes are the translation codes).
INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES
    ('jet.mkiii', 'Main engine Mk III', 'Mk III főhajtómű'),
    ('jet.mki', 'Steering jet Mk I', 'Mk I manőverező fúvóka'),
    ('jet.mkii', 'Steering jet Mk II', 'Mk II manőverező fúvóka'),
    ('track.light', 'Light track', 'Könnyű lánctalp'),
    ('track.heavy', 'Heavy track', 'Nehéz lánctalp'),
    ('drill.light', 'Light drill', 'Könnyű fúró'),
    ('drill.heavy', 'Heavy drill', 'Nehéz fúró'),
    ('drillhead.standard', 'Standard drill head', 'Normál fúrófej'),
    ('drillhead.wide', 'Wide drill head', 'Széles fúrófej'),
    ('drillhead.diamond', 'Diamond drill head', 'Gyémántfúrófej'),
    ('cockpit.bubble', 'Bubble cockpit', 'Buborékkabin'),
    ('cockpit.visor', 'Visor cockpit', 'Sávablakos kabin'),
    ('antenna', 'Antenna', 'Antenna'),
    ('lamp.spot', 'Spotlight', 'Fényszóró'),
    ('lamp.flood', 'Floodlight', 'Szórt fényű lámpa');
-- END part catalogue.

-- Ship editor: tabs, tools, ship menu, file and help windows, status messages.
INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES
    ('editor.tab.builder',  'Builder',    'Építés'),
    ('editor.tab.texture',  'Paint',      'Festés'),
    ('editor.tab.test',     'Test drive', 'Próbaút'),
    ('editor.tab.textures', 'Textures',   'Textúrák'),
    ('editor.menu.title',   'Ship',       'Hajó'),
    ('editor.menu.new',     'New ship',   'Új hajó'),
    ('editor.menu.saveas',  'Save as…',   'Mentés másként…'),
    ('editor.menu.exit',    'Exit',       'Kilépés'),
    ('editor.undo',         'Undo',       'Vissza'),
    ('editor.redo',         'Redo',       'Újra'),
    ('editor.snap',         'Snap to grid', 'Rácshoz igazítás'),
    ('editor.split',        'Split edges', 'Élek felezése'),
    ('editor.zoomfill',     'Fit to hull', 'Hajótesthez igazítás'),
    ('editor.zoom1',        'One per unit', 'Egységnyi méret'),
    ('editor.properties',   'Part properties', 'Alkatrész tulajdonságai'),
    ('editor.mirror',       'Mirrored',   'Tükrözve'),
    ('editor.drillhead',    'Drill head', 'Fúrófej'),
    ('editor.color',        'Hull colour', 'A hajótest színe'),
    ('editor.color.red',    'Red',        'Vörös'),
    ('editor.color.green',  'Green',      'Zöld'),
    ('editor.color.blue',   'Blue',       'Kék'),
    ('editor.file.cancel',  'Cancel',     'Mégse'),
    ('editor.file.delete',  'Delete',     'Törlés'),
    ('editor.msg.saved',       'Ship saved',    'A hajó elmentve'),
    ('editor.msg.savefailed',  'The ship could not be saved', 'A hajót nem sikerült elmenteni'),
    ('editor.msg.loaded',      'Ship loaded',   'A hajó betöltve'),
    ('editor.msg.loadfailed',  'The ship file could not be read', 'A hajófájlt nem sikerült beolvasni'),
    ('editor.msg.badname',     'Type a plain file name, without folders', 'Egyszerű fájlnevet adj meg, mappa nélkül'),
    ('editor.msg.deletefailed','The file could not be deleted', 'A fájlt nem sikerült törölni'),
    ('editor.help.title',   'Ship editor help', 'Segítség a hajóépítőhöz'),
    ('editor.help.left',
        'Left button: click on empty grid to add a hull point, drag points and parts, double-click a point or a part to delete it. Drag a part from the inventory onto the grid to place it.',
        'Bal gomb: üres rácsra kattintva új pontot teszel a hajótestre; a pontokat és az alkatrészeket húzással mozgatod, dupla kattintással törlöd. Az alkatrészt a készletből a rácsra húzva helyezed el.'),
    ('editor.help.right',
        'Right button: click a point to select it, drag a frame to select several, double-click to select every point. Split edges halves every edge between two selected points.',
        'Jobb gomb: egy pontra kattintva kijelölöd, kerettel többet is kijelölhetsz, dupla kattintás minden pontot kijelöl. Az Élek felezése gomb két kijelölt pont közti minden élt kettéoszt.'),
    ('editor.help.middle',
        'Middle button: hold and move the mouse to pan the grid. On the paint tab the right button drags the texture.',
        'Középső gomb: nyomva tartva és az egeret mozgatva görgeted a rácsot. A festés lapon a jobb gomb a textúrát húzza.'),
    ('editor.help.wheel',
        'Wheel: zooms the grid; over a part it turns the part. On the paint tab it scales the texture.',
        'Görgő: nagyítja a rácsot; alkatrész fölött elforgatja az alkatrészt. A festés lapon a textúra méretét állítja.'),
    ('editor.help.modifiers',
        'Shift adds to the selection, Ctrl removes from it.',
        'A Shift hozzáad a kijelöléshez, a Ctrl elvesz belőle.'),
    ('editor.help.test',
        'Test drive: fly with the ship''s controls, R puts the ship back, F7 shows the physics shapes.',
        'Próbaút: a hajó saját irányításával repülsz, az R visszateszi a hajót, az F7 megmutatja a fizikai alakzatokat.');

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

-- The play screen and the new-game window.
INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES
    ('newgame.title',  'New game', 'Új játék'),
    ('newgame.ships',  'Ship',     'Hajó'),
    ('newgame.maps',   'Map',      'Pálya'),
    ('newgame.start',  'Start',    'Indítás'),
    ('newgame.cancel', 'Cancel',   'Mégse'),

    ('play.menu.title',   'Paused',         'Szünet'),
    ('play.menu.resume',  'Resume',         'Folytatás'),
    ('play.menu.restart', 'Restart',        'Újrakezdés'),
    ('play.menu.save',    'Save',           'Mentés'),
    ('play.menu.back',    'Main menu',      'Főmenü'),
    ('play.menu.exit',    'Quit the game',  'Kilépés a játékból'),

    ('play.hud.score',    'Score',     'Pontszám'),
    ('play.hud.time',     'Time',      'Idő'),
    ('play.hud.health',   'Hull',      'Burkolat'),
    ('play.hud.fuel',     'Fuel',      'Üzemanyag'),
    ('play.hud.landable', 'On the platform: press Return to land',
                          'A leszállóhelyen vagy: az Enterrel leszállsz'),

    ('play.gameover.title',     'Game over',             'Vége a játéknak'),
    ('play.gameover.text',      'Enter your name for the high-score table.',
                                'Írd be a neved a dicsőséglistára.'),
    ('play.gameover.ok',        'Save score',            'Mentés'),
    ('play.gameover.cancel',    'Skip',                  'Kihagyás'),
    ('play.gameover.notstored', 'The score could not be saved.',
                                'Az eredményt nem sikerült elmenteni.'),

    ('play.timetrial.title', 'Time trial', 'Időfutam'),
    ('play.timetrial.text',
        'Fly through the checkpoints, then land on a platform. Each checkpoint is worth:',
        'Repülj át az ellenőrzőpontokon, aztán szállj le egy leszállóhelyen. Egy-egy ellenőrzőpont ennyit ér:'),
    ('play.timetrial.start', 'Start', 'Indulás'),
    ('play.timetrial.back',  'Back',  'Vissza'),

    ('play.loadfailed', 'The game could not be loaded.', 'A játékot nem sikerült betölteni.'),
    ('play.loadfailed.map',     'Cannot load the map',            'A pálya nem tölthető be'),
    ('play.loadfailed.ship',    'Cannot load the ship',           'A hajó nem tölthető be'),
    ('play.loadfailed.outline', 'The ship has no usable outline', 'A hajónak nincs használható körvonala'),
    ('play.notice.title', 'Notice', 'Értesítés'),
    ('play.notice.ok',    'OK',     'Rendben');
