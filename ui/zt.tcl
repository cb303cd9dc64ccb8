# zt.tcl - the qev window: a formula entry and its answer.
package require Tk
wm title . qev
ttk::entry .formula -width 60
ttk::label .answer -text "" -anchor w -width 80
pack .formula .answer -fill x -padx 6 -pady 4
bind .formula <Return> {.answer configure -text [mc66 [.formula get]]}
focus .formula
