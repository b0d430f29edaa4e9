
/
/
 
E
v
e
r
y
 
m
e
t
h
o
d
 
o
f
 
t
h
e
 
g
a
m
e
 
c
o
m
p
o
n
e
n
t
 
(
c
l
a
s
s
 
R
T
T
e
s
k
G
a
m
e
,
 
p
a
r
e
n
t
 
R
T
V
a
r
n
o
G
a
m
e
)
 
b
y
 
i
t
s
 
b
y
t
e
 
o
f
f
s
e
t
 
i
n


/
/
 
t
h
e
 
s
l
o
t
 
t
a
b
l
e
 
o
f
 
t
h
e
 
g
a
m
e
'
s
 
o
w
n
 
c
l
a
s
s
 
l
e
v
e
l
,
 
w
h
o
s
e
 
t
a
b
l
e
 
p
o
i
n
t
e
r
s
 
a
r
e
 
t
h
e
 
o
b
j
e
c
t
 
w
o
r
d
s
 
0
x
5
8
 
a
n
d


/
/
 
0
x
5
C
.
 
T
h
e
 
p
r
o
g
r
a
m
,
 
t
h
e
 
o
t
h
e
r
 
c
o
m
p
o
n
e
n
t
s
 
a
n
d
 
t
h
e
 
g
a
m
e
'
s
 
o
w
n
 
c
o
d
e
 
c
a
l
l
 
b
y
 
t
h
e
s
e
 
o
f
f
s
e
t
s
,
 
a
n
d
 
t
h
e


/
/
 
g
a
m
e
'
s
 
d
e
f
i
n
i
t
i
o
n
 
r
e
c
o
r
d
 
g
i
v
e
s
 
e
a
c
h
 
m
e
t
h
o
d
 
i
t
 
h
a
s
 
b
u
i
l
t
 
a
 
r
e
c
o
r
d
 
a
t
 
i
t
s
 
o
f
f
s
e
t
.
 
A
n
 
o
f
f
s
e
t
 
w
h
o
s
e


/
/
 
m
e
t
h
o
d
 
i
s
 
n
o
t
 
b
u
i
l
t
 
y
e
t
 
i
s
 
a
n
 
e
m
p
t
y
 
s
l
o
t
:
 
c
a
l
l
s
 
t
h
r
o
u
g
h
 
i
t
 
f
a
i
l
.


/
/


/
/
 
T
w
o
 
c
a
l
l
i
n
g
 
f
o
r
m
s
.
 
S
c
r
i
p
t
 
m
e
t
h
o
d
s
 
(
m
o
s
t
 
o
f
 
t
h
e
m
)
 
t
a
k
e
 
(
i
n
s
t
a
n
c
e
,
 
c
a
l
l
i
n
g
 
s
c
r
i
p
t
 
o
b
j
e
c
t
,
 
a
r
g
u
m
e
n
t


/
/
 
c
o
u
n
t
,
 
a
r
g
u
m
e
n
t
 
c
e
l
l
s
,
 
r
e
s
u
l
t
 
c
e
l
l
,
 
V
M
)
:
 
s
e
e
 
S
c
r
i
p
t
S
l
o
t
.
 
N
a
t
i
v
e
 
m
e
t
h
o
d
s
 
t
a
k
e
 
t
h
e
 
i
n
s
t
a
n
c
e
 
a
n
d


/
/
 
t
h
e
 
p
l
a
i
n
 
a
r
g
u
m
e
n
t
s
 
t
h
e
 
l
i
s
t
 
g
i
v
e
s
 
t
h
e
m
.


#
p
r
a
g
m
a
 
o
n
c
e




#
i
n
c
l
u
d
e
 
<
c
s
t
d
i
n
t
>




#
i
n
c
l
u
d
e
 
"
k
i
v
o
/
s
l
o
t
s
.
h
"


#
i
n
c
l
u
d
e
 
"
t
e
s
k
/
h
o
s
t
_
c
a
l
l
b
a
c
k
s
.
h
"




s
t
r
u
c
t
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
;
 
 
/
/
 
t
h
e
 
a
c
t
o
r
 
c
o
m
p
o
n
e
n
t
'
s
 
r
e
c
o
r
d
 
o
f
 
a
 
c
h
a
r
a
c
t
e
r
 
(
k
i
v
o
/
a
c
t
o
r
/
a
c
t
o
r
_
c
a
l
l
s
.
h
)


n
a
m
e
s
p
a
c
e
 
k
i
v
o
 
{


s
t
r
u
c
t
 
L
i
s
t
;


}
 
 
/
/
 
n
a
m
e
s
p
a
c
e
 
k
i
v
o




n
a
m
e
s
p
a
c
e
 
v
a
r
n
o
 
{


s
t
r
u
c
t
 
R
T
V
a
r
n
o
C
o
n
s
t
a
n
t
V
a
l
u
e
;
 
 
/
/
 
a
n
 
a
r
g
u
m
e
n
t
 
o
r
 
r
e
s
u
l
t
 
c
e
l
l
 
(
v
a
r
n
o
/
c
a
l
l
_
c
e
l
l
s
.
h
)


s
t
r
u
c
t
 
R
T
V
a
r
n
o
S
y
m
b
o
l
;


s
t
r
u
c
t
 
R
T
V
a
r
n
o
V
M
;


}
 
 
/
/
 
n
a
m
e
s
p
a
c
e
 
v
a
r
n
o




n
a
m
e
s
p
a
c
e
 
t
e
s
k
:
:
g
a
m
e
 
{




i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
c
h
a
r
1
6
_
t
 
k
C
l
a
s
s
N
a
m
e
[
]
 
=
 
u
"
R
T
T
e
s
k
G
a
m
e
"
;




/
/
 
T
h
e
 
s
i
g
n
a
t
u
r
e
s
 
o
f
 
t
h
e
 
l
i
s
t
 
b
e
l
o
w
:
 
a
 
m
e
t
h
o
d
 
g
i
v
e
n
 
n
o
 
p
a
r
a
m
e
t
e
r
 
t
y
p
e
s
 
i
s
 
a
 
s
c
r
i
p
t
 
m
e
t
h
o
d
;
 
`
v
o
i
d
`


/
/
 
s
t
a
n
d
s
 
f
o
r
 
a
 
n
a
t
i
v
e
 
m
e
t
h
o
d
 
t
h
a
t
 
t
a
k
e
s
 
t
h
e
 
i
n
s
t
a
n
c
e
 
a
l
o
n
e
.


u
s
i
n
g
 
S
c
r
i
p
t
S
l
o
t
 
=
 
k
i
v
o
:
:
M
e
t
h
o
d
S
l
o
t
<
v
a
r
n
o
:
:
R
T
V
a
r
n
o
S
y
m
b
o
l
*
,
 
u
i
n
t
3
2
_
t
,
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
C
o
n
s
t
a
n
t
V
a
l
u
e
*
,


 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
C
o
n
s
t
a
n
t
V
a
l
u
e
*
,
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
V
M
*
>
;


t
e
m
p
l
a
t
e
 
<
c
l
a
s
s
.
.
.
 
P
a
r
a
m
s
>


s
t
r
u
c
t
 
G
a
m
e
S
l
o
t
O
f
 
{


 
 
u
s
i
n
g
 
t
y
p
e
 
=
 
k
i
v
o
:
:
M
e
t
h
o
d
S
l
o
t
<
P
a
r
a
m
s
.
.
.
>
;


}
;


t
e
m
p
l
a
t
e
 
<
>


s
t
r
u
c
t
 
G
a
m
e
S
l
o
t
O
f
<
>
 
{


 
 
u
s
i
n
g
 
t
y
p
e
 
=
 
S
c
r
i
p
t
S
l
o
t
;


}
;


t
e
m
p
l
a
t
e
 
<
>


s
t
r
u
c
t
 
G
a
m
e
S
l
o
t
O
f
<
v
o
i
d
>
 
{


 
 
u
s
i
n
g
 
t
y
p
e
 
=
 
k
i
v
o
:
:
M
e
t
h
o
d
S
l
o
t
<
>
;


}
;


t
e
m
p
l
a
t
e
 
<
c
l
a
s
s
.
.
.
 
P
a
r
a
m
s
>


u
s
i
n
g
 
G
a
m
e
S
l
o
t
 
=
 
t
y
p
e
n
a
m
e
 
G
a
m
e
S
l
o
t
O
f
<
P
a
r
a
m
s
.
.
.
>
:
:
t
y
p
e
;




/
/
 
E
v
e
r
y
 
m
e
t
h
o
d
 
o
f
 
t
h
e
 
g
a
m
e
'
s
 
l
e
v
e
l
 
w
i
t
h
 
i
t
s
 
b
y
t
e
 
o
f
f
s
e
t
 
a
n
d
,
 
f
o
r
 
a
 
n
a
t
i
v
e
 
m
e
t
h
o
d
,
 
i
t
s
 
p
a
r
a
m
e
t
e
r


/
/
 
t
y
p
e
s
,
 
i
n
 
o
f
f
s
e
t
 
o
r
d
e
r
 
(
3
3
6
 
m
e
t
h
o
d
s
 
i
n
 
t
h
e
 
3
5
5
 
e
n
t
r
i
e
s
 
o
f
 
t
h
e
 
t
a
b
l
e
)
.
 
A
 
P
U
B
L
I
S
H
E
D
 
o
f
f
s
e
t
 
i
s
 
f
i
x
e
d
:
 
t
h
e
 
p
r
o
g
r
a
m
,
 
t
h
e
 
s
c
r
i
p
t
s
 
a
n
d
 
t
h
e
 
o
t
h
e
r


/
/
 
c
o
m
p
o
n
e
n
t
s
 
c
a
l
l
 
t
h
e
 
m
e
t
h
o
d
 
t
h
e
r
e
.
 
A
n
 
O
W
N
 
o
f
f
s
e
t
 
i
s
 
t
h
i
s
 
p
r
o
j
e
c
t
'
s
 
c
h
o
i
c
e
 
f
o
r
 
a
 
m
e
t
h
o
d
 
n
o
 
c
a
l
l
e
r


/
/
 
r
e
a
c
h
e
s
 
b
y
 
a
 
f
i
x
e
d
 
n
u
m
b
e
r
;
 
i
t
 
t
a
k
e
s
 
o
n
e
 
o
f
 
t
h
e
 
e
n
t
r
i
e
s
 
t
h
e
 
p
u
b
l
i
s
h
e
d
 
o
n
e
s
 
l
e
a
v
e
.


#
d
e
f
i
n
e
 
T
E
S
K
_
G
A
M
E
_
M
E
T
H
O
D
S
(
P
U
B
L
I
S
H
E
D
,
 
O
W
N
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
C
r
e
a
t
e
,
 
0
x
0
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
D
e
s
t
r
o
y
,
 
0
x
0
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
t
a
r
t
u
p
,
 
0
x
0
0
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
h
u
t
D
o
w
n
,
 
0
x
0
0
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
M
a
i
n
,
 
0
x
0
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
r
e
s
e
n
t
S
t
a
r
t
u
p
,
 
0
x
0
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
a
s
k
e
t
b
a
l
l
N
o
d
e
,
 
0
x
0
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
d
C
o
u
n
t
,
 
0
x
0
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
M
a
i
n
W
i
n
d
o
w
H
a
n
d
l
e
,
 
0
x
0
2
0
,
 
v
o
i
d
*
,
 
u
i
n
t
3
2
_
t
,
 
u
i
n
t
3
2
_
t
)
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
R
e
s
i
z
e
M
a
i
n
W
i
n
d
o
w
,
 
0
x
0
2
4
,
 
u
i
n
t
3
2
_
t
,
 
u
i
n
t
3
2
_
t
)
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
M
o
u
s
e
M
o
v
e
,
 
0
x
0
2
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
I
n
i
t
i
a
l
M
o
u
s
e
P
o
s
,
 
0
x
0
2
c
,
 
u
i
n
t
3
2
_
t
,
 
u
i
n
t
3
2
_
t
)
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
d
N
a
m
e
N
,
 
0
x
0
3
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
d
N
o
d
e
N
,
 
0
x
0
3
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
n
c
h
C
o
u
n
t
,
 
0
x
0
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
M
o
u
s
e
C
l
i
c
k
,
 
0
x
0
3
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
n
c
h
N
o
d
e
N
,
 
0
x
0
4
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
C
u
r
r
e
n
t
T
i
m
e
,
 
0
x
0
4
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
P
l
a
y
e
r
,
 
0
x
0
4
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
A
d
d
A
c
t
o
r
,
 
0
x
0
4
c
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
a
f
e
t
e
r
i
a
C
h
a
i
r
C
o
u
n
t
,
 
0
x
0
5
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
a
f
e
t
e
r
i
a
C
h
a
i
r
N
o
d
e
N
,
 
0
x
0
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
C
u
r
r
e
n
t
T
i
m
e
C
,
 
0
x
0
5
8
,
 
f
l
o
a
t
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
a
f
e
t
e
r
i
a
T
r
a
y
C
o
u
n
t
,
 
0
x
0
5
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
a
f
e
t
e
r
i
a
T
r
a
y
N
o
d
e
N
,
 
0
x
0
6
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
h
a
i
r
C
o
u
n
t
,
 
0
x
0
6
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
h
a
i
r
N
o
d
e
N
,
 
0
x
0
6
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
P
a
t
h
f
i
n
d
i
n
g
O
b
j
e
c
t
,
 
0
x
0
6
c
,
 
u
i
n
t
3
2
_
t
,
 
R
T
I
n
s
t
a
n
c
e
*
)
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
o
t
C
o
u
n
t
,
 
0
x
0
7
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
A
c
t
o
r
L
i
s
t
,
 
0
x
0
7
4
,
 
k
i
v
o
:
:
L
i
s
t
*
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
C
o
t
N
o
d
e
N
,
 
0
x
0
7
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
D
e
c
o
n
C
h
a
m
b
e
r
N
o
d
e
,
 
0
x
0
7
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
E
l
l
i
p
t
i
c
a
l
C
o
u
n
t
,
 
0
x
0
8
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
E
l
l
i
p
t
i
c
a
l
N
o
d
e
N
,
 
0
x
0
8
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
G
a
m
e
M
a
c
h
i
n
e
C
o
u
n
t
,
 
0
x
0
8
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
G
a
m
e
M
a
c
h
i
n
e
N
o
d
e
N
,
 
0
x
0
8
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
L
i
n
e
n
C
a
r
t
N
o
d
e
,
 
0
x
0
9
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
V
M
,
 
0
x
0
9
4
,
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
V
M
*
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
S
c
e
n
e
T
r
e
e
,
 
0
x
0
9
8
,
 
R
T
I
n
s
t
a
n
c
e
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
P
e
d
i
a
C
h
a
i
r
C
o
u
n
t
,
 
0
x
0
9
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
P
e
d
i
a
C
h
a
i
r
N
o
d
e
N
,
 
0
x
0
a
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
R
o
w
i
n
g
M
a
c
h
i
n
e
C
o
u
n
t
,
 
0
x
0
a
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
R
o
w
i
n
g
M
a
c
h
i
n
e
N
o
d
e
N
,
 
0
x
0
a
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
e
c
u
r
i
t
y
C
a
m
e
r
a
C
o
u
n
t
,
 
0
x
0
a
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
e
c
u
r
i
t
y
C
a
m
e
r
a
N
o
d
e
N
,
 
0
x
0
b
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
h
o
u
l
d
e
r
P
r
e
s
s
C
o
u
n
t
,
 
0
x
0
b
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
h
o
u
l
d
e
r
P
r
e
s
s
N
o
d
e
N
,
 
0
x
0
b
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
h
o
w
e
r
C
o
u
n
t
,
 
0
x
0
b
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
R
e
n
d
e
r
A
O
I
,
 
0
x
0
c
0
,
 
R
T
I
n
s
t
a
n
c
e
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
G
a
m
e
T
i
m
e
,
 
0
x
0
c
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
h
o
w
e
r
N
o
d
e
N
,
 
0
x
0
c
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
i
g
C
h
a
i
r
C
o
u
n
t
,
 
0
x
0
c
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
i
g
C
h
a
i
r
N
o
d
e
N
,
 
0
x
0
d
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
i
n
k
C
o
u
n
t
,
 
0
x
0
d
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
i
n
k
N
o
d
e
N
,
 
0
x
0
d
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
n
d
i
n
g
M
a
c
h
i
n
e
C
o
u
n
t
,
 
0
x
0
d
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
n
d
i
n
g
N
o
d
e
N
,
 
0
x
0
e
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
K
e
y
D
o
w
n
,
 
0
x
0
e
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
Y
o
g
a
M
a
t
C
o
u
n
t
,
 
0
x
0
e
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
Y
o
g
a
M
a
t
N
o
d
e
N
,
 
0
x
0
e
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
G
a
m
e
T
i
m
e
C
,
 
0
x
0
f
0
,
 
f
l
o
a
t
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
l
a
y
N
o
d
e
A
n
i
m
a
t
i
o
n
,
 
0
x
0
f
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
n
d
i
n
g
N
o
d
e
N
T
y
p
e
,
 
0
x
0
f
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
B
e
d
M
a
x
S
e
v
B
y
N
a
m
e
,
 
0
x
0
f
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
N
o
d
e
R
i
g
h
t
,
 
0
x
1
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
N
o
d
e
U
p
,
 
0
x
1
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
N
o
d
e
A
h
e
a
d
,
 
0
x
1
0
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
N
o
d
e
P
o
s
i
t
i
o
n
,
 
0
x
1
0
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
R
e
s
e
t
G
a
m
e
T
i
m
e
,
 
0
x
1
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
M
o
u
s
e
C
u
r
s
o
r
,
 
0
x
1
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
n
l
o
c
k
M
o
v
i
e
S
k
i
p
,
 
0
x
1
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
u
m
p
L
o
a
d
i
n
g
S
c
r
e
e
n
,
 
0
x
1
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
o
r
m
a
t
G
a
m
e
T
i
m
e
,
 
0
x
1
2
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
a
u
s
e
C
,
 
0
x
1
2
4
,
 
v
o
i
d
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
s
e
t
C
,
 
0
x
1
2
8
,
 
v
o
i
d
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
T
i
m
e
D
i
l
a
t
i
o
n
,
 
0
x
1
2
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
n
P
a
u
s
e
C
,
 
0
x
1
3
0
,
 
v
o
i
d
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
D
o
c
t
o
r
,
 
0
x
1
3
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
N
e
w
b
i
e
,
 
0
x
1
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
N
o
d
e
,
 
0
x
1
3
c
,
 
R
T
I
n
s
t
a
n
c
e
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
S
t
a
f
f
,
 
0
x
1
4
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
T
o
R
o
s
t
e
r
,
 
0
x
1
4
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
t
t
a
c
h
E
n
v
i
r
o
n
m
e
n
t
N
o
d
e
,
 
0
x
1
4
8
,
 
R
T
I
n
s
t
a
n
c
e
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
l
e
a
r
R
o
s
t
e
r
,
 
0
x
1
4
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
i
s
a
b
l
e
G
e
n
d
e
r
e
d
R
o
o
m
s
,
 
0
x
1
5
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
a
b
l
e
R
o
o
m
,
 
0
x
1
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
G
a
m
e
,
 
0
x
1
5
8
,
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
S
y
m
b
o
l
*
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
R
o
o
m
N
a
m
e
B
y
P
o
i
n
t
,
 
0
x
1
5
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
R
o
o
t
N
o
d
e
,
 
0
x
1
6
0
,
 
R
T
I
n
s
t
a
n
c
e
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
S
p
a
w
n
p
o
i
n
t
B
y
N
a
m
e
,
 
0
x
1
6
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
N
o
d
e
L
o
c
a
l
T
o
W
o
r
l
d
,
 
0
x
1
6
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
a
g
e
,
 
0
x
1
6
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
A
c
t
o
r
,
 
0
x
1
7
0
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
R
e
s
e
t
W
o
r
l
d
,
 
0
x
1
7
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
D
o
c
t
o
r
,
 
0
x
1
7
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
N
e
w
b
i
e
,
 
0
x
1
7
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
N
o
d
e
,
 
0
x
1
8
0
,
 
R
T
I
n
s
t
a
n
c
e
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
B
e
d
O
b
j
e
c
t
,
 
0
x
1
8
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
F
i
t
n
e
s
s
B
o
o
s
t
,
 
0
x
1
8
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
G
a
m
e
r
s
B
o
o
s
t
,
 
0
x
1
8
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
H
a
n
d
s
O
f
f
,
 
0
x
1
9
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
e
r
k
R
e
c
i
e
v
e
T
i
m
e
,
 
0
x
1
9
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
r
o
x
i
m
i
t
y
I
c
o
n
,
 
0
x
1
9
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
U
n
F
i
t
n
e
s
s
B
o
o
s
t
,
 
0
x
1
9
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
t
a
r
t
F
a
u
c
e
t
,
 
0
x
1
a
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
t
o
p
F
a
u
c
e
t
,
 
0
x
1
a
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
y
s
t
e
m
M
e
s
s
a
g
e
,
 
0
x
1
a
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
y
s
t
e
m
M
e
s
s
a
g
e
C
,
 
0
x
1
a
c
,
 
c
o
n
s
t
 
c
h
a
r
1
6
_
t
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
p
d
a
t
e
P
e
r
k
s
,
 
0
x
1
b
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
G
u
r
n
e
y
,
 
0
x
1
b
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
G
a
m
e
T
i
m
e
,
 
0
x
1
b
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
W
h
e
e
l
c
h
a
i
r
,
 
0
x
1
b
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
h
i
c
l
e
A
h
e
a
d
V
e
c
t
o
r
,
 
0
x
1
c
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
h
i
c
l
e
P
o
s
i
t
i
o
n
,
 
0
x
1
c
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
h
i
c
l
e
R
i
g
h
t
V
e
c
t
o
r
,
 
0
x
1
c
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
V
e
h
i
c
l
e
T
y
p
e
,
 
0
x
1
c
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
H
i
d
e
A
m
b
u
l
a
n
c
e
,
 
0
x
1
d
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
V
e
h
i
c
l
e
,
 
0
x
1
d
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
t
a
r
t
P
e
r
k
S
w
a
p
,
 
0
x
1
d
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
P
e
r
k
S
w
a
p
R
e
a
c
t
i
o
n
,
 
0
x
1
d
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
S
c
r
e
e
n
S
i
z
e
,
 
0
x
1
e
0
,
 
u
i
n
t
3
2
_
t
*
,
 
u
i
n
t
3
2
_
t
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
V
e
h
i
c
l
e
P
o
s
i
t
i
o
n
,
 
0
x
1
e
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
w
A
m
b
u
l
a
n
c
e
,
 
0
x
1
e
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
V
e
h
i
c
l
e
L
o
c
a
l
T
o
W
o
r
l
d
,
 
0
x
1
e
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
i
s
p
l
a
y
G
a
m
b
i
t
I
c
o
n
,
 
0
x
1
f
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
i
s
p
l
a
y
G
o
s
s
i
p
,
 
0
x
1
f
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
i
s
p
l
a
y
H
e
a
d
S
h
o
t
,
 
0
x
1
f
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
T
i
t
l
e
T
e
x
t
,
 
0
x
1
f
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
a
b
l
e
M
i
n
i
M
a
p
F
l
a
s
h
,
 
0
x
2
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
d
T
i
t
l
e
T
e
x
t
,
 
0
x
2
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
M
i
n
i
M
a
p
L
e
v
e
l
,
 
0
x
2
0
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
o
g
g
l
e
M
a
p
s
,
 
0
x
2
0
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
A
t
t
a
c
h
T
o
A
c
t
o
r
,
 
0
x
2
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
A
t
t
a
c
h
T
o
U
s
e
r
,
 
0
x
2
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
D
e
t
a
c
h
F
r
o
m
U
s
e
r
,
 
0
x
2
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
L
e
r
p
T
o
P
i
t
c
h
,
 
0
x
2
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
L
e
r
p
T
o
P
o
s
i
t
i
o
n
,
 
0
x
2
2
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
M
o
u
s
e
D
b
l
C
l
i
c
k
,
 
0
x
2
2
4
,
 
u
i
n
t
3
2
_
t
,
 
u
i
n
t
3
2
_
t
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
L
e
r
p
T
o
Y
a
w
,
 
0
x
2
2
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
L
e
r
p
T
o
Z
o
o
m
,
 
0
x
2
2
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
S
h
a
k
e
,
 
0
x
2
3
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
n
d
e
r
C
,
 
0
x
2
3
4
,
 
v
o
i
d
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
M
O
P
o
p
U
p
,
 
0
x
2
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
A
O
I
R
a
d
i
u
s
,
 
0
x
2
3
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
r
e
s
e
n
t
E
p
i
s
o
d
e
S
e
l
e
c
t
i
o
n
,
 
0
x
2
4
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
E
n
d
S
a
v
e
,
 
0
x
2
4
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
L
o
a
d
,
 
0
x
2
4
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
D
i
s
p
o
,
 
0
x
2
4
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
D
i
s
p
o
C
o
u
n
t
,
 
0
x
2
5
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
P
l
a
y
e
r
A
t
t
r
i
b
u
t
e
s
,
 
0
x
2
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
P
l
a
y
e
r
E
x
p
,
 
0
x
2
5
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
P
l
a
y
e
r
P
r
e
s
t
i
g
e
,
 
0
x
2
5
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
e
t
P
l
a
y
e
r
S
k
i
l
l
s
,
 
0
x
2
6
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
M
S
t
a
r
t
S
a
v
e
,
 
0
x
2
6
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
F
X
A
d
d
B
u
f
f
e
r
,
 
0
x
2
6
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
F
X
P
l
a
y
,
 
0
x
2
6
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
F
X
P
l
a
y
A
t
P
o
s
i
t
i
o
n
,
 
0
x
2
7
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
F
X
S
t
o
p
,
 
0
x
2
7
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
I
s
S
p
e
e
c
h
P
l
a
y
i
n
g
,
 
0
x
2
7
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
L
i
s
t
e
n
e
r
G
e
t
G
a
i
n
,
 
0
x
2
7
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
L
i
s
t
e
n
e
r
G
e
t
G
a
i
n
F
r
o
m
O
p
t
i
o
n
s
,
 
0
x
2
8
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
L
i
s
t
e
n
e
r
S
e
t
G
a
i
n
,
 
0
x
2
8
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
L
i
s
t
e
n
e
r
S
e
t
G
a
i
n
L
e
r
p
,
 
0
x
2
8
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
l
a
y
S
p
e
e
c
h
,
 
0
x
2
8
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
r
o
c
e
s
s
A
u
d
i
o
,
 
0
x
2
9
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
m
b
i
e
n
t
T
r
a
n
s
i
t
i
o
n
T
o
B
u
f
f
e
r
V
a
r
n
o
,
 
0
x
2
9
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
C
a
n
S
t
o
p
,
 
0
x
2
9
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
S
e
t
S
o
u
r
c
e
B
u
f
f
e
r
,
 
0
x
2
9
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
S
t
a
r
t
,
 
0
x
2
a
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
S
t
o
p
,
 
0
x
2
a
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
T
r
a
n
s
i
t
i
o
n
,
 
0
x
2
a
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
M
u
s
i
c
T
r
a
n
s
i
t
i
o
n
T
o
S
o
u
r
c
e
,
 
0
x
2
a
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
A
c
t
o
r
R
e
m
o
v
e
,
 
0
x
2
b
0
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
A
t
t
a
c
h
A
c
t
o
r
,
 
0
x
2
b
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
A
t
t
a
c
h
N
o
d
e
,
 
0
x
2
b
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
C
l
e
a
r
R
o
t
a
t
i
o
n
,
 
0
x
2
b
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
P
i
t
c
h
,
 
0
x
2
c
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
P
l
a
y
,
 
0
x
2
c
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
R
o
l
l
,
 
0
x
2
c
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
S
e
t
A
c
t
i
v
e
,
 
0
x
2
c
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
S
e
t
S
o
u
r
c
e
A
c
t
o
r
,
 
0
x
2
d
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
S
t
o
p
,
 
0
x
2
d
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
X
Y
a
w
,
 
0
x
2
d
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
L
o
c
a
t
i
o
n
,
 
0
x
2
d
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
o
p
R
o
o
m
L
i
g
h
t
s
,
 
0
x
2
e
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
a
b
l
e
C
e
i
l
i
n
g
C
h
u
n
k
,
 
0
x
2
e
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
a
b
l
e
G
l
u
e
T
r
u
c
k
,
 
0
x
2
e
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
E
l
e
v
a
t
o
r
M
a
t
C
o
u
n
t
,
 
0
x
2
e
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
c
r
e
e
n
F
a
d
e
T
o
C
o
l
o
r
,
 
0
x
2
f
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
E
l
e
v
a
t
o
r
M
a
t
F
l
o
o
r
N
,
 
0
x
2
f
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
E
l
e
v
a
t
o
r
M
a
t
N
o
d
e
N
,
 
0
x
2
f
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
P
l
a
y
e
r
O
b
j
e
c
t
,
 
0
x
2
f
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
P
l
a
y
e
r
R
o
o
m
A
m
b
i
e
n
t
S
t
r
i
n
g
,
 
0
x
3
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
R
o
o
m
C
e
n
t
e
r
,
 
0
x
3
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
I
s
W
r
e
c
k
i
n
g
B
a
l
l
S
h
o
w
n
,
 
0
x
3
0
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
l
a
y
C
e
i
l
i
n
g
C
h
u
n
k
,
 
0
x
3
0
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
s
t
o
r
e
R
o
o
m
L
i
g
h
t
s
,
 
0
x
3
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
E
n
v
i
r
o
n
m
e
n
t
,
 
0
x
3
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
o
g
g
l
e
W
r
e
c
k
i
n
g
B
a
l
l
,
 
0
x
3
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
u
r
n
O
f
f
G
y
m
O
u
t
l
i
n
e
s
,
 
0
x
3
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
u
r
n
O
f
f
P
r
o
p
O
u
t
l
i
n
e
,
 
0
x
3
2
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
u
r
n
O
n
G
y
m
O
u
t
l
i
n
e
s
,
 
0
x
3
2
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
u
r
n
O
n
P
r
o
p
O
u
t
l
i
n
e
,
 
0
x
3
2
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
a
t
h
r
o
o
m
S
t
a
l
l
D
o
o
r
C
l
o
s
e
,
 
0
x
3
2
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
a
t
h
r
o
o
m
S
t
a
l
l
D
o
o
r
O
p
e
n
,
 
0
x
3
3
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
l
o
s
e
S
h
o
w
e
r
D
o
o
r
,
 
0
x
3
3
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
S
h
o
w
e
r
D
o
o
r
,
 
0
x
3
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
G
e
t
P
i
t
c
h
,
 
0
x
3
3
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
G
e
t
P
o
s
i
t
i
o
n
,
 
0
x
3
4
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
G
e
t
Y
a
w
,
 
0
x
3
4
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
G
e
t
Z
o
o
m
,
 
0
x
3
4
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
S
e
t
P
i
t
c
h
,
 
0
x
3
4
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
S
e
t
P
o
s
i
t
i
o
n
,
 
0
x
3
5
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
S
e
t
Y
a
w
,
 
0
x
3
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
a
m
e
r
a
S
e
t
Z
o
o
m
,
 
0
x
3
5
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
G
e
t
N
u
m
S
h
o
t
P
o
s
i
t
i
o
n
s
,
 
0
x
3
5
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
G
e
t
S
h
o
t
P
o
s
i
t
i
o
n
I
,
 
0
x
3
6
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
S
h
o
o
t
B
a
d
,
 
0
x
3
6
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
S
h
o
o
t
G
r
e
a
t
,
 
0
x
3
6
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
S
h
o
o
t
M
a
d
e
,
 
0
x
3
6
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
B
B
a
l
l
S
h
o
o
t
M
i
s
s
,
 
0
x
3
7
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
l
o
s
e
B
B
a
l
l
S
h
o
t
,
 
0
x
3
7
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
t
e
r
B
B
a
l
l
M
o
d
e
,
 
0
x
3
7
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
P
l
a
y
B
i
n
k
,
 
0
x
3
7
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
x
i
t
B
B
a
l
l
M
o
d
e
,
 
0
x
3
8
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
H
i
d
e
B
B
a
l
l
S
c
o
r
e
b
o
a
r
d
,
 
0
x
3
8
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
P
r
e
s
e
n
t
B
B
a
l
l
S
h
o
t
,
 
0
x
3
8
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
B
B
a
l
l
S
h
o
t
N
u
m
b
e
r
,
 
0
x
3
8
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
t
a
r
t
R
e
c
i
e
v
e
P
e
r
k
,
 
0
x
3
9
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
l
a
y
e
r
B
B
a
l
l
S
c
o
r
e
,
 
0
x
3
9
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
o
t
B
a
l
l
,
 
0
x
3
9
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
M
o
u
s
e
C
u
r
s
o
r
C
a
l
l
b
a
c
k
,
 
0
x
3
9
c
,
 
C
u
r
s
o
r
C
a
l
l
b
a
c
k
)
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
w
B
B
a
l
l
S
c
o
r
e
b
o
a
r
d
,
 
0
x
3
a
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
I
n
S
o
f
t
w
a
r
e
,
 
0
x
3
a
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
L
o
c
k
S
e
c
u
r
i
t
y
S
c
r
e
e
n
,
 
0
x
3
a
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
A
c
t
i
v
e
C
a
m
e
r
a
,
 
0
x
3
a
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
n
l
o
c
k
S
e
c
u
r
i
t
y
S
c
r
e
e
n
,
 
0
x
3
b
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
V
a
r
n
o
A
s
s
e
r
t
,
 
0
x
3
b
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
A
n
t
i
d
o
t
e
S
c
r
e
e
n
,
 
0
x
3
b
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
P
i
c
k
S
t
a
f
f
S
c
r
e
e
n
,
 
0
x
3
b
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
S
t
a
f
f
M
a
n
a
g
e
m
e
n
t
S
c
r
e
e
n
1
,
 
0
x
3
c
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
S
t
a
f
f
M
a
n
a
g
e
m
e
n
t
S
c
r
e
e
n
2
,
 
0
x
3
c
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
S
t
a
f
f
M
a
n
a
g
e
m
e
n
t
S
c
r
e
e
n
3
,
 
0
x
3
c
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
o
P
e
r
k
T
a
r
g
e
t
t
i
n
g
,
 
0
x
3
c
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
P
a
t
i
e
n
t
M
e
n
u
,
 
0
x
3
d
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
S
u
b
t
i
t
l
e
T
e
x
t
,
 
0
x
3
d
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
T
e
x
t
T
o
L
o
g
,
 
0
x
3
d
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
h
a
n
g
e
W
e
d
g
e
,
 
0
x
3
e
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
l
e
a
r
T
a
r
g
e
t
O
b
j
e
c
t
,
 
0
x
3
e
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
D
o
c
t
o
r
T
o
o
l
T
i
p
,
 
0
x
3
e
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
M
a
s
t
e
r
I
c
o
n
,
 
0
x
3
e
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
P
a
t
i
e
n
t
T
o
o
l
T
i
p
,
 
0
x
3
f
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
E
n
d
S
u
b
t
i
t
l
e
s
,
 
0
x
3
f
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
F
a
d
e
C
o
n
v
e
r
s
a
t
i
o
n
H
U
D
,
 
0
x
3
f
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
N
u
m
N
e
w
b
i
e
P
a
t
i
e
n
t
s
,
 
0
x
3
f
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
T
a
r
g
e
t
O
b
j
e
c
t
,
 
0
x
4
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
H
i
d
e
C
a
p
t
u
r
e
D
o
g
P
a
n
e
l
,
 
0
x
4
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
O
p
t
i
o
n
C
a
l
l
b
a
c
k
s
,
 
0
x
4
0
8
,
 
O
p
t
i
o
n
S
e
t
t
e
r
,
 
O
p
t
i
o
n
G
e
t
t
e
r
)
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
R
e
g
i
s
t
r
y
C
a
l
l
b
a
c
k
s
,
 
0
x
4
0
c
,
 
R
e
g
i
s
t
r
y
R
e
a
d
e
r
,
 
u
i
n
t
p
t
r
_
t
)
 
\


 
 
O
W
N
(
R
e
s
e
t
S
t
a
t
s
,
 
0
x
4
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
M
o
u
s
e
W
h
e
e
l
,
 
0
x
4
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
B
i
n
k
P
l
a
y
i
n
g
,
 
0
x
4
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
D
i
s
p
o
s
i
t
i
o
n
,
 
0
x
4
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
I
d
l
e
C
a
l
l
b
a
c
k
,
 
0
x
4
2
0
,
 
I
d
l
e
C
a
l
l
b
a
c
k
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
I
n
i
t
i
a
l
D
i
s
p
o
s
i
t
i
o
n
,
 
0
x
4
2
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
N
u
m
P
r
o
b
l
e
m
s
,
 
0
x
4
2
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
a
t
i
e
n
t
O
b
j
e
c
t
,
 
0
x
4
2
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
h
o
w
H
u
d
,
 
0
x
4
3
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
o
r
t
a
l
N
u
m
b
e
r
,
 
0
x
4
3
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
r
e
s
t
i
g
e
,
 
0
x
4
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
P
r
o
b
l
e
m
,
 
0
x
4
3
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
G
e
t
P
e
r
k
S
w
a
p
P
a
r
t
n
e
r
,
 
0
x
4
4
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
S
t
a
t
s
,
 
0
x
4
4
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
W
e
d
g
e
,
 
0
x
4
4
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
u
p
S
u
b
t
i
t
l
e
B
o
x
,
 
0
x
4
4
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
w
C
a
p
t
u
r
e
D
o
g
P
a
n
e
l
,
 
0
x
4
5
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
A
c
t
i
v
e
P
e
r
k
,
 
0
x
4
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
E
d
i
c
t
,
 
0
x
4
5
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
G
a
m
e
H
i
n
t
,
 
0
x
4
5
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
I
n
c
o
m
i
n
g
C
u
r
b
s
i
d
e
,
 
0
x
4
6
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
B
e
t
w
e
e
n
E
p
S
c
r
e
e
n
,
 
0
x
4
6
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
C
u
r
b
s
i
d
e
S
c
r
e
e
n
,
 
0
x
4
6
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
E
p
i
l
o
g
u
e
S
c
r
e
e
n
,
 
0
x
4
6
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
G
a
m
e
O
v
e
r
S
c
r
e
e
n
,
 
0
x
4
7
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
G
e
n
e
r
i
c
D
i
a
l
o
g
S
c
r
e
e
n
,
 
0
x
4
7
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
G
e
n
e
r
i
c
O
K
S
c
r
e
e
n
,
 
0
x
4
7
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
H
e
s
t
l
o
w
F
i
r
e
S
c
r
e
e
n
,
 
0
x
4
7
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
T
u
t
o
r
i
a
l
C
o
n
t
S
c
r
e
e
n
,
 
0
x
4
8
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
W
a
r
n
i
n
g
S
c
r
e
e
n
,
 
0
x
4
8
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
A
c
t
i
v
e
P
e
r
k
,
 
0
x
4
8
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
E
d
i
c
t
,
 
0
x
4
8
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
I
n
c
o
m
i
n
g
C
u
r
b
s
i
d
e
,
 
0
x
4
9
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
C
u
r
b
s
i
d
e
R
e
s
p
o
n
s
e
,
 
0
x
4
9
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
E
d
i
c
t
F
a
i
l
R
e
a
s
o
n
,
 
0
x
4
9
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
G
a
m
e
O
v
e
r
R
e
a
s
o
n
,
 
0
x
4
9
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
p
d
a
t
e
A
c
t
i
v
e
P
e
r
k
,
 
0
x
4
a
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
p
d
a
t
e
E
d
i
c
t
S
t
a
t
u
s
,
 
0
x
4
a
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
P
l
a
y
e
r
E
n
t
i
t
y
,
 
0
x
4
a
8
,
 
R
T
I
n
s
t
a
n
c
e
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
n
r
e
s
e
r
v
e
P
a
t
i
e
n
t
s
,
 
0
x
4
a
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
w
E
x
p
S
c
r
e
e
n
H
i
n
t
,
 
0
x
4
b
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
O
p
e
n
I
n
f
o
S
c
r
e
e
n
,
 
0
x
4
b
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
O
p
e
n
i
n
g
I
n
f
o
T
a
b
,
 
0
x
4
b
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
c
h
e
c
k
S
P
R
e
q
u
i
r
e
m
e
n
t
s
,
 
0
x
4
b
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
p
d
a
t
e
P
o
w
e
r
s
C
,
 
0
x
4
c
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
N
o
d
e
O
b
j
e
c
t
,
 
0
x
4
c
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
C
l
o
s
e
M
e
n
u
s
,
 
0
x
4
c
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
h
o
w
T
a
l
k
M
e
n
u
,
 
0
x
4
c
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
T
u
r
n
O
f
f
M
a
r
k
e
r
M
e
n
u
s
,
 
0
x
4
d
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
T
o
x
i
c
O
p
t
i
o
n
,
 
0
x
4
d
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
C
l
i
c
k
O
n
A
c
t
o
r
,
 
0
x
4
d
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
s
e
t
A
m
b
u
l
a
n
c
e
,
 
0
x
4
d
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
V
e
h
i
c
l
e
O
r
i
e
n
t
a
t
i
o
n
,
 
0
x
4
e
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
O
p
p
o
n
e
n
t
B
B
a
l
l
S
c
o
r
e
,
 
0
x
4
e
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
S
k
i
l
l
N
u
m
b
e
r
s
,
 
0
x
4
e
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
N
u
m
b
e
r
,
 
0
x
4
e
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
P
a
t
i
e
n
t
,
 
0
x
4
f
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
h
o
w
P
e
r
k
S
w
a
p
H
i
n
t
,
 
0
x
4
f
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
n
d
e
r
T
e
x
t
B
u
b
b
l
e
,
 
0
x
4
f
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
A
d
d
P
a
t
i
e
n
t
,
 
0
x
4
f
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
S
o
r
t
P
a
t
i
e
n
t
L
i
s
t
,
 
0
x
5
0
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
R
e
f
r
e
s
h
S
u
p
e
r
P
o
w
e
r
s
C
,
 
0
x
5
0
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
m
o
v
e
P
a
t
i
e
n
t
C
,
 
0
x
5
0
8
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
B
a
c
k
F
r
o
m
T
e
s
t
i
n
g
,
 
0
x
5
0
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
t
a
r
t
C
o
u
n
t
D
o
w
n
,
 
0
x
5
1
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
e
t
P
e
n
d
i
n
g
P
e
r
k
S
w
a
p
M
o
d
e
,
 
0
x
5
1
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
U
p
d
a
t
e
N
u
r
s
e
E
T
A
,
 
0
x
5
1
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
2
4
H
o
u
r
C
l
o
c
k
,
 
0
x
5
1
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
M
i
n
i
W
e
d
g
e
,
 
0
x
5
2
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
R
e
n
d
e
r
P
o
r
t
a
l
N
u
m
b
e
r
,
 
0
x
5
2
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
D
r
a
w
B
o
r
d
e
r
e
d
C
i
r
c
l
e
,
 
0
x
5
2
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
G
e
n
e
r
a
l
E
x
p
,
 
0
x
5
2
c
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
G
e
t
T
i
m
e
D
i
l
a
t
i
o
n
,
 
0
x
5
3
0
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
M
o
u
s
e
C
u
r
s
o
r
C
,
 
0
x
5
3
4
,
 
u
i
n
t
3
2
_
t
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
O
W
N
(
S
e
t
R
e
l
a
t
i
v
e
T
i
m
e
D
i
l
a
t
i
o
n
,
 
0
x
5
3
8
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
S
h
o
w
P
e
r
k
S
w
a
p
H
i
n
t
2
,
 
0
x
5
5
4
)
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
\


 
 
P
U
B
L
I
S
H
E
D
(
D
i
s
p
l
a
y
B
M
P
L
i
s
t
,
 
0
x
5
8
8
)




#
d
e
f
i
n
e
 
T
E
S
K
_
G
A
M
E
_
S
L
O
T
(
n
a
m
e
,
 
o
f
f
s
e
t
,
 
.
.
.
)
 
i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
G
a
m
e
S
l
o
t
<
_
_
V
A
_
A
R
G
S
_
_
>
 
k
#
#
n
a
m
e
{
o
f
f
s
e
t
}
;


T
E
S
K
_
G
A
M
E
_
M
E
T
H
O
D
S
(
T
E
S
K
_
G
A
M
E
_
S
L
O
T
,
 
T
E
S
K
_
G
A
M
E
_
S
L
O
T
)


#
u
n
d
e
f
 
T
E
S
K
_
G
A
M
E
_
S
L
O
T


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
M
e
t
h
o
d
C
o
u
n
t
 
=
 
3
3
6
;


/
/
 
T
h
e
 
g
a
m
e
'
s
 
o
w
n
 
m
e
t
h
o
d
 
a
f
t
e
r
 
t
h
e
 
p
u
b
l
i
s
h
e
d
 
o
n
e
s
:
 
t
h
e
 
s
c
e
n
e
 
n
o
d
e
 
o
r
 
r
o
o
m
 
o
f
 
a
 
s
c
r
i
p
t
 
h
a
n
d
l
e
.


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
k
i
v
o
:
:
M
e
t
h
o
d
S
l
o
t
<
u
i
n
t
3
2
_
t
,
 
R
T
I
n
s
t
a
n
c
e
*
>
 
k
R
e
s
o
l
v
e
S
c
e
n
e
H
a
n
d
l
e
{
0
x
5
8
c
}
;




i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
L
e
v
e
l
 
=
 
0
x
5
8
;
 
 
 
 
 
/
/
 
t
h
e
 
g
a
m
e
 
l
e
v
e
l
'
s
 
f
i
r
s
t
 
s
l
o
t
 
t
a
b
l
e


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
O
w
n
T
a
b
l
e
 
=
 
0
x
5
C
;
 
 
/
/
 
i
t
s
 
s
e
c
o
n
d
 
t
a
b
l
e
:
 
t
h
e
 
g
a
m
e
'
s
 
o
w
n
 
f
u
n
c
t
i
o
n
s


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
S
t
a
t
e
W
o
r
d
 
=
 
0
x
6
0
;
 
 
/
/
 
t
h
e
 
G
a
m
e
P
r
i
v
a
t
e
D
a
t
a
 
r
e
c
o
r
d


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
O
b
j
e
c
t
S
i
z
e
 
=
 
1
1
2
;
 
 
/
/
 
p
u
b
l
i
s
h
e
d
 
b
y
t
e
s


i
n
l
i
n
e
 
c
o
n
s
t
e
x
p
r
 
u
i
n
t
3
2
_
t
 
k
S
l
o
t
T
a
b
l
e
S
i
z
e
 
=
 
k
R
e
s
o
l
v
e
S
c
e
n
e
H
a
n
d
l
e
 
+
 
4
;
 
 
/
/
 
1
4
2
4
 
b
y
t
e
s
:
 
3
5
6
 
e
n
t
r
i
e
s






/
/
 
T
h
e
 
g
a
m
e
'
s
 
s
c
r
i
p
t
 
V
M
 
(
n
u
l
l
 
w
h
e
n
 
i
t
 
h
a
s
 
n
o
n
e
)
;
 
n
o
 
r
e
f
e
r
e
n
c
e
 
i
s
 
t
a
k
e
n
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
V
M
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
v
o
i
d
*
*
 
v
m
)
 
{
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
V
M
,
 
v
m
)
;
 
}


/
/
 
T
h
e
 
s
c
e
n
e
 
t
r
e
e
 
w
i
t
h
 
a
 
r
e
f
e
r
e
n
c
e
 
f
o
r
 
t
h
e
 
c
a
l
l
e
r
;
 
n
u
l
l
 
w
h
e
n
 
t
h
e
 
g
a
m
e
 
h
a
s
 
n
o
n
e
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
S
c
e
n
e
T
r
e
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
I
n
s
t
a
n
c
e
*
 
t
r
e
e
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
S
c
e
n
e
T
r
e
e
,
 
t
r
e
e
)
;


}


/
/
 
T
h
e
 
w
i
n
d
o
w
'
s
 
s
i
z
e
 
i
n
 
p
i
x
e
l
s
,
 
a
s
 
t
h
e
 
h
o
s
t
 
l
a
s
t
 
g
a
v
e
 
i
t
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
S
c
r
e
e
n
S
i
z
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
u
i
n
t
3
2
_
t
*
 
w
i
d
t
h
,
 
u
i
n
t
3
2
_
t
*
 
h
e
i
g
h
t
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
S
c
r
e
e
n
S
i
z
e
,
 
w
i
d
t
h
,
 
h
e
i
g
h
t
)
;


}




/
/
 
W
h
a
t
 
t
h
e
 
a
c
t
o
r
 
c
o
m
p
o
n
e
n
t
 
c
a
l
l
s
,
 
i
n
 
a
 
n
a
m
e
s
p
a
c
e
 
o
f
 
t
h
e
i
r
 
o
w
n
:
 
t
h
e
 
g
a
m
e
'
s
 
o
w
n
 
f
u
n
c
t
i
o
n
s
 
b
e
a
r
 
t
h
e


/
/
 
s
a
m
e
 
n
a
m
e
s
.


n
a
m
e
s
p
a
c
e
 
c
a
l
l
 
{




/
/
 
T
h
e
 
g
a
m
e
'
s
 
l
i
s
t
 
o
f
 
a
c
t
o
r
 
w
r
a
p
p
e
r
s
,
 
t
h
e
 
g
a
m
e
'
s
 
o
w
n
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
A
c
t
o
r
L
i
s
t
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
k
i
v
o
:
:
L
i
s
t
*
*
 
a
c
t
o
r
s
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
A
c
t
o
r
L
i
s
t
,
 
a
c
t
o
r
s
)
;


}


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
A
d
d
A
c
t
o
r
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
 
w
r
a
p
p
e
r
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
A
d
d
A
c
t
o
r
,
 
w
r
a
p
p
e
r
)
;


}


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
R
e
m
o
v
e
A
c
t
o
r
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
 
w
r
a
p
p
e
r
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
R
e
m
o
v
e
A
c
t
o
r
,
 
w
r
a
p
p
e
r
)
;


}


/
/
 
A
 
n
o
d
e
 
o
f
 
t
h
e
 
w
o
r
l
d
 
r
o
o
m
,
 
w
h
i
c
h
 
n
a
m
e
s
 
i
t
s
e
l
f
 
i
t
s
 
c
o
n
t
a
i
n
e
r
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
A
d
d
N
o
d
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
I
n
s
t
a
n
c
e
 
n
o
d
e
)
 
{
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
A
d
d
N
o
d
e
,
 
n
o
d
e
)
;
 
}


/
/
 
A
 
c
h
i
l
d
 
n
o
d
e
 
o
f
 
t
h
e
 
e
n
v
i
r
o
n
m
e
n
t
'
s
 
r
o
o
t
 
n
o
d
e
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
A
t
t
a
c
h
E
n
v
i
r
o
n
m
e
n
t
N
o
d
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
I
n
s
t
a
n
c
e
 
n
o
d
e
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
A
t
t
a
c
h
E
n
v
i
r
o
n
m
e
n
t
N
o
d
e
,
 
n
o
d
e
)
;


}


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
R
e
m
o
v
e
N
o
d
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
I
n
s
t
a
n
c
e
 
n
o
d
e
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
R
e
m
o
v
e
N
o
d
e
,
 
n
o
d
e
)
;


}


/
/
 
T
h
e
 
s
c
r
i
p
t
 
f
o
r
m
:
 
t
h
e
 
g
a
m
e
 
c
l
o
c
k
 
i
n
 
s
e
c
o
n
d
s
,
 
a
 
r
e
a
l
 
i
n
 
t
h
e
 
r
e
s
u
l
t
 
c
e
l
l
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
C
u
r
r
e
n
t
T
i
m
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
v
a
r
n
o
:
:
R
T
V
a
r
n
o
C
o
n
s
t
a
n
t
V
a
l
u
e
*
 
r
e
s
u
l
t
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
C
u
r
r
e
n
t
T
i
m
e
,
 
s
t
a
t
i
c
_
c
a
s
t
<
v
a
r
n
o
:
:
R
T
V
a
r
n
o
S
y
m
b
o
l
*
>
(
n
u
l
l
p
t
r
)
,
 
0
u
,


 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
s
t
a
t
i
c
_
c
a
s
t
<
v
a
r
n
o
:
:
R
T
V
a
r
n
o
C
o
n
s
t
a
n
t
V
a
l
u
e
*
>
(
n
u
l
l
p
t
r
)
,
 
r
e
s
u
l
t
,


 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
 
s
t
a
t
i
c
_
c
a
s
t
<
v
a
r
n
o
:
:
R
T
V
a
r
n
o
V
M
*
>
(
n
u
l
l
p
t
r
)
)
;


}


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
C
u
r
r
e
n
t
T
i
m
e
C
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
f
l
o
a
t
*
 
s
e
c
o
n
d
s
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
C
u
r
r
e
n
t
T
i
m
e
C
,
 
s
e
c
o
n
d
s
)
;


}


/
/
 
T
h
e
 
r
o
u
t
e
 
p
l
a
n
n
e
r
 
o
f
 
a
 
p
a
t
h
f
i
n
d
i
n
g
 
k
i
n
d
 
(
a
n
 
i
n
d
e
x
 
i
n
t
o
 
t
h
e
 
e
n
v
i
r
o
n
m
e
n
t
'
s
 
g
r
a
p
h
s
)
,
 
w
i
t
h
 
a


/
/
 
r
e
f
e
r
e
n
c
e
 
f
o
r
 
t
h
e
 
c
a
l
l
e
r
;
 
f
a
i
l
s
 
w
i
t
h
 
n
u
l
l
 
f
o
r
 
a
 
k
i
n
d
 
t
h
e
 
g
a
m
e
 
h
a
s
 
n
o
 
g
r
a
p
h
 
o
f
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
P
a
t
h
f
i
n
d
i
n
g
O
b
j
e
c
t
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
i
n
t
3
2
_
t
 
k
i
n
d
,
 
R
T
I
n
s
t
a
n
c
e
*
 
p
l
a
n
n
e
r
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
P
a
t
h
f
i
n
d
i
n
g
O
b
j
e
c
t
,
 
s
t
a
t
i
c
_
c
a
s
t
<
u
i
n
t
3
2
_
t
>
(
k
i
n
d
)
,
 
p
l
a
n
n
e
r
)
;


}


/
/
 
T
h
e
 
g
a
m
e
 
c
l
o
c
k
 
t
i
m
e
s
 
0
.
5
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
G
a
m
e
T
i
m
e
C
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
f
l
o
a
t
*
 
s
e
c
o
n
d
s
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
G
a
m
e
T
i
m
e
C
,
 
s
e
c
o
n
d
s
)
;


}


/
/
 
L
e
t
s
 
g
o
 
o
f
 
t
h
e
 
e
f
f
e
c
t
s
 
a
t
t
a
c
h
e
d
 
t
o
 
t
h
e
 
a
c
t
o
r
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
F
X
A
c
t
o
r
R
e
m
o
v
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
 
w
r
a
p
p
e
r
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
F
X
A
c
t
o
r
R
e
m
o
v
e
,
 
w
r
a
p
p
e
r
)
;


}


/
/
 
M
a
r
k
s
 
t
h
e
 
a
c
t
o
r
'
s
 
e
n
t
r
y
 
o
f
 
t
h
e
 
p
a
t
i
e
n
t
 
d
i
s
p
l
a
y
 
a
s
 
l
e
a
v
i
n
g
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
R
e
m
o
v
e
P
a
t
i
e
n
t
C
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
T
e
s
k
A
c
t
o
r
W
r
a
p
p
e
r
*
 
w
r
a
p
p
e
r
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
R
e
m
o
v
e
P
a
t
i
e
n
t
C
,
 
w
r
a
p
p
e
r
)
;


}


/
/
 
T
h
e
 
p
l
a
y
e
r
'
s
 
b
o
d
y
,
 
w
i
t
h
 
a
 
r
e
f
e
r
e
n
c
e
 
f
o
r
 
t
h
e
 
c
a
l
l
e
r
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
G
e
t
P
l
a
y
e
r
E
n
t
i
t
y
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
R
T
I
n
s
t
a
n
c
e
*
 
b
o
d
y
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
G
e
t
P
l
a
y
e
r
E
n
t
i
t
y
,
 
b
o
d
y
)
;


}


/
/
 
T
h
e
 
s
c
e
n
e
 
n
o
d
e
 
o
r
 
r
o
o
m
 
t
h
a
t
 
a
 
s
c
r
i
p
t
 
s
e
e
s
 
a
s
 
t
h
e
 
n
u
m
b
e
r
 
`
h
a
n
d
l
e
`
,
 
w
i
t
h
 
a
 
r
e
f
e
r
e
n
c
e
 
f
o
r
 
t
h
e


/
/
 
c
a
l
l
e
r
;
 
f
a
i
l
s
 
w
i
t
h
 
n
u
l
l
 
f
o
r
 
a
 
h
a
n
d
l
e
 
t
h
e
 
g
a
m
e
 
h
a
s
 
n
o
t
 
i
s
s
u
e
d
 
o
r
 
w
h
o
s
e
 
o
b
j
e
c
t
 
i
s
 
g
o
n
e
.


i
n
l
i
n
e
 
R
T
S
u
c
c
e
s
s
 
R
e
s
o
l
v
e
S
c
e
n
e
H
a
n
d
l
e
(
R
T
I
n
s
t
a
n
c
e
 
g
a
m
e
,
 
u
i
n
t
3
2
_
t
 
h
a
n
d
l
e
,
 
R
T
I
n
s
t
a
n
c
e
*
 
o
b
j
e
c
t
)
 
{


 
 
r
e
t
u
r
n
 
k
i
v
o
:
:
C
a
l
l
M
e
t
h
o
d
(
g
a
m
e
,
 
k
L
e
v
e
l
,
 
k
R
e
s
o
l
v
e
S
c
e
n
e
H
a
n
d
l
e
,
 
h
a
n
d
l
e
,
 
o
b
j
e
c
t
)
;


}




}
 
 
/
/
 
n
a
m
e
s
p
a
c
e
 
c
a
l
l




}
 
 
/
/
 
n
a
m
e
s
p
a
c
e
 
t
e
s
k
:
:
g
a
m
e


