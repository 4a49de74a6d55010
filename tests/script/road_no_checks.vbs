' A script that checks nothing proves nothing: the road fails it.
Finish
