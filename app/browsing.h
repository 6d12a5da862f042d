// The commands that move the form to another position: Up, Down, Goto and Add.
#pragma once

void moveUp();
void moveDown();
void goToEntry();
void addEntry();
