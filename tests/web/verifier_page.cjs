// SPDX-License-Identifier: GPL-3.0-or-later
// The page in headless Chromium: a game against ORDY (a whole turn each
// side), then two players (the names' warning, a whole game with the sound
// switched off and on, the end), About, the help and Quitter's end page.
// The board and the dice must be the desktop's pictures, pixel for pixel, at
// the desktop's places. Any JavaScript error or abort fails.
//   node verifier_page.cjs URL ASSETS OUT   (OUT: screenshots, mesures.json)
const { chromium } = require('playwright-core');
const { PNG } = require('pngjs');
const fs = require('node:fs');

const [url, assets, sortie] = process.argv.slice(2);
const lire = f => PNG.sync.read(fs.readFileSync(`${assets}/images/${f}`));
const plateau = lire('plateau.png'), face1 = lire('face1.png');
const des = [[216, 56], [112, 152], [264, 192], [416, 168], [352, 64]];  // the window's places
const surDe = (x, y) => des.some(([u, v]) => x >= u && x < u + 86 && y >= v && y < v + 103);
const erreurs = [], sons = [], mesures = {};
const echec = m => { throw new Error(m); };

// Pixels of `img` at (x, y) + p differing from `ref` at p, p in `zone` of ref and kept.
function ecart(img, ref, x, y, garder = () => true, zone = [0, 0, ref.width, ref.height]) {
  let n = 0;
  for (let j = zone[1]; j < zone[1] + zone[3]; ++j)
    for (let i = zone[0]; i < zone[0] + zone[2]; ++i) {
      if (!garder(i, j)) continue;
      if (x + i < 0 || y + j < 0 || x + i >= img.width || y + j >= img.height) { ++n; continue; }
      const a = ((y + j) * img.width + x + i) * 4, b = (j * ref.width + i) * 4;
      for (let c = 0; c < 3; ++c) if (Math.abs(img.data[a + c] - ref.data[b + c]) > 8) { ++n; break; }
    }
  return n;
}

(async () => {
  const navigateur = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
  navigateur.on('disconnected', () => erreurs.push('navigateur fermé'));
  try {
    const page = await navigateur.newPage({ viewport: { width: 1024, height: 768 } });
    page.on('pageerror', e => erreurs.push(String(e)));
    page.on('crash', () => erreurs.push('onglet planté'));
    page.on('console', m => {
      const t = m.text();
      if (t.startsWith('KUBRIX son ')) sons.push(t.slice(11));
      if (/KUBRIX arrêt|abort|RuntimeError|unreachable|exception/i.test(t)) erreurs.push(t);
    });
    const capture = async nom => PNG.sync.read(await page.screenshot(nom ? { path: `${sortie}/${nom}.png` } : {}));
    // Polls screenshots until `condition` holds; an error of the page stops it at once.
    const attendre = async (quoi, condition, ms = 90000) => {
      for (const fin = Date.now() + ms; Date.now() < fin;) {
        if (erreurs.length) echec(`${quoi} : ${erreurs.join(' | ')}`);
        const img = await capture();
        if (condition(img)) return img;
        await page.waitForTimeout(250);  // polling pace: each screenshot forces frames into the page
      }
      await capture('echec');
    echec(`${quoi} : rien après ${ms / 1000} s`);
    };
    // The window's origin on the page, found where the board lies (at 32, 0 in it).
    let x0, y0;
    const trouver = img => {
      for (let y = 0; y < 120; ++y)
        for (let x = 32; x < 240; ++x)
          if (ecart(img, plateau, x, y, () => true, [0, 0, 577, 1]) === 0 &&
              ecart(img, plateau, x, y, (i, j) => !surDe(i + 32, j)) === 0) { x0 = x - 32; y0 = y; return true; }
      return false;
    };
    // Nothing over the board (no dialog, no pause window), the sheet aside.
    // The window may still move by its frame's width: looked for a few pixels around.
    const calme = img => {
      for (let dy = -6; dy <= 6; ++dy)
        for (let dx = -6; dx <= 6; ++dx)
          if (ecart(img, plateau, x0 + 32 + dx, y0 + dy, () => true, [0, 0, 577, 1]) === 0 &&
              ecart(img, plateau, x0 + 32 + dx, y0 + dy, (i, j) =>
                !(i + 32 >= 122 && i + 32 < 513 && j >= 8 && j < 369) && !surDe(i + 32, j)) === 0) {
            x0 += dx; y0 += dy; return true;
          }
      return false;
    };
    const zone = (img, x, y, w, h) => { const z = new PNG({ width: w, height: h });
      PNG.bitblt(img, z, x0 + x, y0 + y, w, h, 0, 0); return z; };
    const pareil = (img, z, x, y) => ecart(img, z, x0 + x, y0 + y) === 0;
    const bouton = img => zone(img, 16, 384, 129, 33), etiquette = img => zone(img, 352, 384, 250, 32);
    // The pointer leaves at once: a button under it would look hovered, not changed.
    const clic = (x, y) => page.mouse.click(x0 + x, y0 + y);
    // The sheet shown: the first player's QUATRE or CINQ cell (one of them not selected) teal as on the desktop.
    const feuille = img => calme(img) && [89, 109].some(y => { const p = ((y0 + 8 + y) * img.width + x0 + 122 + 264) * 4;
      return img.data[p] < 40 && img.data[p + 1] > 100 && img.data[p + 2] > 100; });
    const montrerFeuille = async quoi => { await clic(224, 400); return attendre(quoi, feuille, 15000); };
    const cliquerCase = (colonne, ligne) => clic(122 + [0, 122, 224, 306][colonne] + 40, 8 + ligne * 20 + 9);
    // A roll: the sound (unless switched off), the pause window's showings, then the button names the next roll.
    const lancer = async (quoi, son = true) => {
      const avant = bouton(await capture()), n = sons.length, t = Date.now();
      await clic(80, 400);
      let vus = 0;  // twice in a row: the last pause window's loop has returned
      const img = await attendre(quoi, img => (vus = (sons.length > n) === son && calme(img) && !pareil(img, avant, 16, 384) ? vus + 1 : 0) >= 2);
      // Five steps of 500 ms at least: the page's timers must not run short.
      const duree = Date.now() - t; (mesures.lancers_ms ??= []).push(duree);
      if (duree < 2500) echec(`${quoi} en ${duree} ms`);
      return img;
    };

    // Memory (PSS, MiB) of the tab's renderer and of the whole browser, from /proc.
    const lireProc = (pid, f) => { try { return fs.readFileSync(`/proc/${pid}/${f}`, 'utf8'); } catch { return ''; } };
    const parent = pid => lireProc(pid, 'stat').split(') ')[1]?.split(' ')[1];
    const descend = pid => { for (let p = pid; p && p !== '1'; p = parent(p)) if (p === String(process.pid)) return true; return false; };
    const pss = pid => +(lireProc(pid, 'smaps_rollup').match(/^Pss:\s+(\d+)/m) || [0, 0])[1] / 1024;
    const memoire = quand => {
      const pids = fs.readdirSync('/proc').filter(d => /^\d+$/.test(d));
      const navig = pids.filter(p => p !== String(process.pid) && descend(p));
    mesures[`memoire_onglet_mio_${quand}`] = Math.round(Math.max(...navig.filter(p => lireProc(p, 'cmdline').includes('--type=renderer')).map(pss)));
    mesures[`memoire_navigateur_mio_${quand}`] = Math.round(navig.map(pss).reduce((a, b) => a + b, 0));
    fs.writeFileSync(`${sortie}/mesures.json`, JSON.stringify(mesures, null, 1));
    };
    const t0 = Date.now();
    await page.goto(url);
    // Playable: the board and the five aces in place, twice at the same place
    // (the window takes its frame after its first frame).
    await attendre('plateau', img => { const avant = [x0, y0];
      return trouver(img) && avant[0] === x0 && avant[1] === y0 && des.every(([u, v]) => !ecart(img, face1, x0 + u, y0 + v)); });
    mesures.plateau_ms = Date.now() - t0;  // both from the request of the page
    mesures.premiere_image_ms = Math.round(await page.evaluate('window.kubrixPremiereImage'));
    let img = await capture('1-demarrage');
    const joueur1 = etiquette(img);  // "Joueur 1" until a name is given
    memoire('demarrage');

    // One player: the menu by the keyboard, the name, a whole turn, then ORDY's.
    // A menu by the keyboard: Alt and its letter, then `bas` times down and Enter (none for Quitter).
    const menu = async (lettre, bas = 0) => { await page.keyboard.press(`Alt+Key${lettre}`);
      for (let i = 0; i < bas; ++i) await page.keyboard.press('ArrowDown'); if (lettre !== 'Q') await page.keyboard.press('Enter'); };
    await menu('N');
    await attendre('dialogue des noms', img => !calme(img));
    await page.keyboard.type('ANNE');
    await page.keyboard.press('Enter');
    const etiquetteAnne = etiquette(await attendre('noms acceptés', img => calme(img) && !pareil(img, joueur1, 352, 384)));
    await lancer('premier lancer');
    await clic(216 + 43, 56 + 43);
    await attendre('dé 1 gardé', img => { const p = ((y0 + 152) * img.width + x0 + 256) * 4;
      return img.data[p] > 150 && img.data[p + 1] < 90 && img.data[p + 2] < 90; });
    await lancer('deuxième lancer');
    await montrerFeuille('feuille affichée');
    const n = sons.length;
    const t = Date.now();
    await cliquerCase(2, 1);
    // Over when the hand is back: the label names ANNE again; a roll and 2000 ms of thought at least.
    await attendre('tour d\'ORDY', img => sons.length > n && calme(img) && pareil(img, etiquetteAnne, 352, 384));
    if ((mesures.tour_ordy_ms = Date.now() - t) < 4500) echec(`tour d'ORDY en ${mesures.tour_ordy_ms} ms`);
    await capture('2-apres-ordy');

    // Two players: the warning on a missing name, then a turn each.
    await menu('N', 1);
    const dialogue = await attendre('dialogue des deux noms', img => !calme(img));
    await page.keyboard.type('ANNE');
    await page.keyboard.press('Enter');
    const avertissement = await attendre('avertissement', img => ecart(img, dialogue, 0, 0) > 2000);
    await capture('3-avertissement');
    await page.keyboard.press('Enter');
    await attendre('avertissement fermé', img => ecart(img, avertissement, 0, 0) > 2000 && !calme(img));
    await page.keyboard.press('Tab');
    await page.keyboard.type('BRUNO');
    await page.keyboard.press('Enter');
    const anne = etiquette(await attendre('deux noms acceptés', calme));
    // A whole game, one roll a turn, each row in turn; the first roll with the sound switched off.
    await menu('A', 1);
    for (const [tour, ligne] of [1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15].entries())
      for (const [joueur, colonne] of [['ANNE', 2], ['BRUNO', 3]]) {
        const avant = etiquette(await capture());
        await lancer(`lancer de ${joueur} au tour ${tour + 1}`, tour + colonne > 2);
        if (tour + colonne === 2) await menu('A', 1);
        await montrerFeuille(`feuille de ${joueur}`);
        await cliquerCase(colonne, ligne);
        if (tour === 12 && colonne === 3) break;
        await attendre(`main passée après ${joueur}`, img => calme(img) && !pareil(img, avant, 352, 384));
        if (tour === 0 && colonne === 3 && !pareil(await capture('4-deux-joueurs'), anne, 352, 384)) echec('la main n\'est pas revenue à ANNE');
      }
    // The end, then About, the help (F1) and Quitter, each its window over the board.
    for (const [quoi, ouvrir, fermer] of [['fin', null, 'Enter'], ['apropos', () => menu('A', 2), 'Enter'], ['aide', () => page.keyboard.press('F1'), 'Escape']]) {
      if (ouvrir) await ouvrir();
      await attendre(quoi, img => !calme(img));
      await capture(`5-${quoi}`);
      await page.keyboard.press(fermer);
      await attendre(`${quoi} fermé`, calme);
    }
    if (!sons.includes('BRAVO')) echec(`la fin sans « BRAVO » : ${sons.join(' ')}`);
    await menu('Q');
    await page.waitForFunction(() => document.body.innerText.includes('KUBRIX est terminé'));
    await capture('6-quitter');
    mesures.sons = sons.length;
    memoire('fin');
    console.log(JSON.stringify(mesures));
  } finally {
    await navigateur.close();
  }
})().catch(e => { console.error(`ÉCHEC : ${e.message}`); process.exitCode = 1; });
