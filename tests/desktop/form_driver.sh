# shellcheck shell=bash disable=SC2154  # $form is the caller's
# Sourced by the desktop scripts: finding the editor's form and clicking its controls
# where a person sees them. Needs $form (the form's X window); CLIENT_X and CLIENT_Y say
# where its client area lies in that window (the layer draws its own frame: 3, 22).
client_x=${CLIENT_X:-3}
client_y=${CLIENT_Y:-22}
# On a high-resolution desktop (SCALE_DPI: 144 for 150 %, 192 for 200 %) the editor is
# shown at that scale: a point of the program's is at device pixel round(p * dpi / 96).
dpi=${SCALE_DPI:-96}
device() { echo $((($1 * dpi + 48) / 96)); }
# The form's controls are placed in dialog units (base units 6 x 13) from the pixel
# rectangles the program asks for; every edge is converted on its own.
round_half_even() {  # a / b for a, b >= 0
    local q=$(($1 / $2)) r=$(($1 % $2))
    if ((2 * r > $2 || (2 * r == $2 && q % 2 == 1))); then q=$((q + 1)); fi
    echo $q
}
mul_div() { echo $(((2 * $1 * $2 + $3) / (2 * $3))); }  # Win32 MulDiv for positive numbers
x_pixels() { mul_div "$(round_half_even $(($1 * 4)) 6)" 6 4; }
y_pixels() { mul_div "$(round_half_even $(($1 * 8)) 13)" 13 8; }
form_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Add words To translation File$' | head -1
}
click_control() {  # x y w h as the program gives them
    local left right top bottom
    left=$(x_pixels "$1"); right=$(x_pixels $(($1 + $3)))
    top=$(y_pixels "$2"); bottom=$(y_pixels $(($2 + $4)))
    xdotool mousemove --window "$form" "$(device $((client_x + (left + right) / 2)))" \
        "$(device $((client_y + (top + bottom) / 2)))" click 1
    sleep 0.3
}
box_window() {  # the visible window with this caption, waited for
    timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
