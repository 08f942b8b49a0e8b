#pragma once
#include <QtCore>
#include <QtTest>
