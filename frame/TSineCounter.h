// An endlessly wrapping angle (degrees) with its sine, for glows and bobbing.
#pragma once

class TSineCounter {
 public:
  void Init(float startPoint, float endPoint, float speed);
  void Manage();
  void SetCounter(float value);

  float Counter = 0;
  float Speed = 1;
  float StartPoint = 0;
  float EndPoint = 360;
  float ratio = 0;
};
