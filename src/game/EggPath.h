#pragma once

// The course of an egg down one chute: a ledge, a slope, a free fall. Positions
// are viewport pixels once the path table is built (virtual 1024 x 768 units in
// the source table), velocities pixels per frame, rotationStep radians per
// rotation tick. Of the turn and ground points only the x of the two turns and
// the y of the ground are read.
struct EggPath {
  float rotationStep;
  float startX, startY;
  float firstVelocityX, firstVelocityY;  // along the ledge
  float firstTurnX, firstTurnY;
  float secondVelocityX, secondVelocityY;  // down the chute
  float thirdVelocityX, thirdVelocityY;    // the fall, never sped up
  float secondTurnX, secondTurnY;
  float groundX, groundY;
};
