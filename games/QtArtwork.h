#pragma once
#include <QIcon>
#include <QImage>

// The games' pictures, drawn by code once at first use (deterministic, no
// files). Sprite sheets are pictures on black (Format_RGB32) and their masks
// the shapes in black on white; every picture pixel outside its mask's shape
// is black, so ANDing the mask and then ORing the picture gives the picture
// exactly and leaves the background around it untouched.
namespace art {

// Balloon sheet 224 x 96: seven colour columns of 32 x 48, row 0 whole, row 1 burst.
const QImage& balloonSheet();
// One 32 x 48 cell: the balloon with its string, black on white; serves both rows.
const QImage& balloonMask();
// The sky the balloons rise through, 265 x 193.
const QImage& balloonSky();

// The target game's pictures (with transparent surroundings): the intact and
// the hit target (32 x 32) and the eight cans (40 x 64, left little finger
// to right little finger).
const QImage& targetImage(bool hit);
const QImage& canImage(int index);

// Explosion sheet 144 x 48: frames 0, 1, 2 of 48 x 48; and its mask of the same size.
const QImage& bombSheet();
const QImage& bombMask();

// Window icons of the three games.
QIcon balloonIcon();
QIcon targetIcon();
QIcon speedIcon();

}  // namespace art
