#include "TSineCounter.h"

#include "Degrees.h"
#include "Globals.h"

void TSineCounter::Init(float startPoint, float endPoint, float speed) {
  StartPoint = startPoint;
  EndPoint = endPoint;
  Speed = speed;
  Counter = startPoint;
  ratio = 0;
}

void TSineCounter::Manage() {
  Counter += Speed * LogicDelta;
  float span = EndPoint - StartPoint;
  if (Counter >= EndPoint) Counter -= span;
  if (Counter < StartPoint) Counter += span;
  ratio = SinDeg(Counter);
}

void TSineCounter::SetCounter(float value) {
  Counter = value;
  ratio = SinDeg(value);
}
