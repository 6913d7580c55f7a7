// Fixed data of the scrambled file format. Every stored file ever written depends on
// these exact bytes: never edit them, or older files stop reading back.
#include "storage/ScrambleData.h"

namespace dorvel::scramble {

const char kBaseOrdering[] = "E[/jD+0B{oXRb$6yOWAl&(79S:>Hp5*~-=_n|YusJx;f'4cPLki2a!CztvU`3<G^"
                             "dm%]FM,#?1hr}\xA3"
                             "ITK)Ng .eZq8Vw@Q";

const char* const kAlphabets[kAlphabetCount] = {
    "7Y4(r5B>.]2u8_Og'UpiS^+|R~} M\xA3"
    "ej</Z)tnkFThd!9Hsv%-{?a=z1XP@L;,#KcJx&y$lG03CQAmN`Vo*[bD6qf:IWEw",
    "LgtG?(h'U)yb,ZSmQ-JrO27vMz`q:8=x<[>H+D3\xA3"
    "6~9fR} {a$&wF01@nIujBoNTk;VcKs]%/C^W*|e45AdXi#.!lYEP_p",
    "3j]IO8Pr=V7wiDpl.-9nb;T!6}Hd/og@Xe|5<W)t?*`uqk2$v:,hG_F{NBLM^Cfc \xA3"
    "[>%zY#mx~Z&1'QAUJS4y0+a(sKER",
    ".]8=%23[Ur0w5/:{EpGPs#9hd; @k6FOat*yRS~q?IKY>4+'Mv}jfL<DunzbJo^Bim(Cc7)$xe,-Tg\xA3"
    "&NX_HW1l!QV`ZA|",
    "17mDtosuQi?-HgY'J:b)eXpr,l]dPnAz+%q{}=F<4MRSw!a*9jyGL&~|5v_^C@\xA3"
    "#62hB0`T c3.$Zk(;N[VO8/>xKIfEUW",
    "F@BnZ>+-bdOG1]8u/5!=AQ:[P^3{IoaKfx?$,}.V`40J<s%yCpTW6L&;hDEc(rv7U'm\xA3"
    "*MRqe#Xt H)NSglzi~Yjk_9w2|",
    "(>~E2d Tay-l|O[Y/Zb\xA3"
    "i3#J8S`$t@A14q+*?n%H7MsXI96')g5:.jW},zDNFPQBk0K!xoer;cm=h<vpu^GfVC&_{wLR]U",
    "Uv=Y?~[G}d)|f,0]^j*T`Fw+KMBD!Ve_:pRW$%1\xA3"
    "/H{b2#O'ho4z(cqSsXP8nk@-y;ZCJt57aAig6rEl> Q&I9xLNm<3.u",
    "Xvnrde}/&KBCcYW2_7stMq#RaGJ5`O)<%mxAoN@P~.Sh+=:V9Tpl$Z!Db]L(4Q;yuH 1if*I?E{-Fw'k0g8zU|\xA3"
    ">[36,^j",
    "Y!^Bvb6{7C].<Ps#QiKDVcG?[OjI>uroUzd%_ Wqf,JaE8F-R0:+hX9@l(p3~MHg24S}y5T&txZkn*1`='Aw)N|$L/;m\xA3"
    "e",
    "YZ-,hI}u5DaS@[/bp06i*d'k ?37JU|.(t%j>wR1fNPcFAny2eE#&T4K\xA3"
    "L:<x=$8qB9]^QMV)vG;slm~XrOzWH_g+!`oC{",
    "VpaK{M*Q&H^}26b1,9(]Ru)z;/j-~PX`N|GW4Dl[r=#8!E>i'y<\xA3"
    "ZsY0?%Awdv7q:TkO$xnCeJFoBg@.fU5m+t_3hLI Sc",
    "(HhFG]Q[1gdTnrsfX!9^=;C.*?`{Yu}<qS-U'6o>pw/MZ7#jk$|B,R43m_y&AP8+: NeO5ilVxavWJ)KD0b@I~%LtEc2\xA3"
    "z",
    ">8[-1vqtbYAXyBNgam&;RE#s=d!6QU^L2`~Gk0,4Wj+pK:_ 95<73OfJ]wThClH/x|\xA3"
    "'?%e$F*iVn}@{Z.r)uz(IPSDcoM",
    "!P.gv&@iD;~CGb7^o+W,5J8xFUST9f>1A2XpkV-t06]ZM}Y \xA3"
    "j[zuLe=hQa`_<?w*ycdB|K#/4Is%l3:{OHR'mnE)$qN(r",
    ">2':,da -Z)<g]$E;VXn%y!J308b`z=~7N+Y^fm&/Twe|q}c#Q[.osR{?5SArDCMjB9@UxhLtGK6I1vOlP(puHkF4W*\xA3"
    "i_",
    "eb}D<=HVG9\xA3"
    "^!k1'X[_u;`thSq${C+p,KoIm 74v-8iFPl0#6r/5RWOc>g|&Qw(ABny?~.]N2UJZx%aEf3s*M)z:dLTY@j",
    "&pROmI=!]t$?hgW~j#o[_HwZklq2C0,Pyf'%6D@z^V/JxK)L:Q-e\xA3"
    "9u`> ;UNsM3vG7|1nFX*4bBA<rca.8(S{Eid+Y}T5",
    "KqTJ(]8#dljpfL037U~XPB!M4e?D2a=%w5FRv9[k@tZi$^\xA3"
    "},.z)*u6xAnQ_gco1h+IWsNSCbG<;m- /{|E'VO&YH`>r:y",
    "=BaYn^|CA?l.]4Op6(`N@iZ!QF)>G3S$*PsL0J1&-d5uzgb{h9Rt\xA3"
    "8T}#m,+Hr~DyU2f K/x_%vIeEw<kWX7qc;:Mo'[Vj",
    "U:MY(tgmu]n8;6kH}`h~)0./5'a<oD%GzWcXw$s?A&_7li RJ>BKq{jCy\xA3"
    "x*QO3F1PN9pTd^I#[reb2Vf,LvS4-=@EZ+|!",
    "ZI!@JyxRLj|u._'Wm)=$U]1hP>}vf\xA3"
    "[Ts,Kq?V5n*r-`w90S de4H&o:BA~E+<pOX#G2{kD(7;CibQY3/6FgaczMlN^%t8",
    "f@Em(rUeA>aV;Y[d\xA3"
    ")o.'G?wubF2,BkPW=KzHgj9/h~]c%}R#Xy+lQ&pnqSI_Ot!1D$|N3^0*<7x:J{4v5iM-s` Z68LCT",
    "JDd|&Y!\xA3"
    "TZ<i/8oL]hP)HE4^*zaFN.+5lr1{w$uMm72V_-}=WCve>XOqI`p9RkU3c0:y~Gt%QbgS@A, ?fj;[nB6s'#x(K",
    "J6p/F\xA3"
    " q(e1|w'x{?GW^M)#`mr=lK%d[j]+N&!Q2>CRytTEc.s9@-<5h_YzuiokfvXZSH0Ub*aB:,3nPDg78$~I4}OAV;L",
    "5r?j'*}o,:1Oq@XIJueyp0(AZd.S%L#f~z]!4B\xA3"
    "w x/h8b&-F3lWgEDm`9KPT+V[YCn|R72Q_)$sU<=k^G6MHc{t;iN>va",
    "{'SHEC4qVM)_(7/fpxgi0><sFb3N|6Uva`+2QjWA8=B$um:K5%ozkc ]hP1erny#tI-^O\xA3"
    ";!9}.DZdwLYlR?&XT,[~GJ@*",
    " :gEk2Jl+mW|~PX<5D-dsf7vLbn]yQqt#FxN`jS!}=Kcai{_ZzBpR@$O8?M%1;>(h&Y'4\xA3"
    "I0,V*9wCU)GTH.36A[eu/^or",
    "k0YyPOW^5n`4sg=;l#q9u/Q7.Xc_<pVmS A3F8~%wKa6r,*H2:>(MJ+$[LjhzDtU\xA3"
    "|-Gi]!RTe}oZ1{bBC&I@')d?NvxEf",
    "] QXg2.|p8<;%OYeCv{AT)[5`^&s:3zN>t!xWb+BrM\xA3"
    "H6}wjy=qK#*a-?kIFnJ9@iDcG,Sum7Pf0/L~hRU4$dlV_(1EZo'",
    "9.8g`yZwK}i,%5jD*?@~62Rx7at\xA3"
    "M|_Hk;1:nPd#NAu(W3&pU'Ib[)0! FY^Ose{$+z>r]SJGcfB<ETCV4lq/Q-=XohvLm",
    "7V5)@;f^_&+{ctS'z-NaC~uWDb=Y>qAvxn9!XkgGpR:] ,(j#K?3UHr`4mOIQJ21T$0d8lhLMB6|%.oi*s/}[weyZF\xA3"
    "<EP",
    "p%H\xA3"
    "qbx`'6SBZV+}TO.QgG_7[-tl&n@<D)kLw~>=0$h:{8/*39XeW^AdY1Fj4P(;CN,u]mIfyMzJcsKU!iR#ra2 ?|o5vE",
    ";TA-18R?LrqSw/@{#gpYnm<%7CG~XdiDtu>E`!}5J:0\xA3"
    "|(oaNhU.kQ+V,6jy3'^v4]es_b=H2$KOF &z*f[9I)cPlBZxMW",
    "`%D.=tAqehVvx8}_cZlgbORzG<7?]#[nY>@$SN6+(T3m&QUC:Hy'1;5J2dij,wuor{*E-kfX!B~| /9WKpPFs4L)0\xA3"
    "aMI^",
    "UeuX(<ZM>c9zKw%`1T|~4}j&;qDo? 2$[WOa#C,:s+\xA3"
    "^.ti5*BlE{kVS]mpbLn=7y'_Pg3R@Y6A!G/HQ8h)0fNrdFvxJI-",
    "YA3`^:';PdXLQ75~q!WCbrpE9)/zyw2MGZ jUi}IJV\xA3"
    "s.B]KoHnk6[$gm4?O,(8Nfa#%D|&{<-_lS0@1huRtF>*xc+=vTe",
    "V<KN$_=Emc?).P^WatF-n>3Ue8vY@x*6b}LG&DfIzlABOXd9]R+q~k(yhuT{M`! #,7\xA3"
    "'J[|Z;Qwr%5H:CpS0g1o24is/j",
    "`I}w|UJet&x#zaFT(5)G4?Eq'Vuc.+LMohn7Y_*b1yd],PS2C;<$R3ZvQ9/ %KjAl^=@mri{p>~sXWO[gfDH:8!0BN\xA3"
    "6k-",
    "K$w)k7^IgdPXOqBsGlnio>{2c;.+%WUDy5 uV6`?T,E[~@]A}x(9&jtCpR*8S'h0/m\xA3"
    "HYe1ra3Q_:NbL4zMZJ=|v-f<F!#",
    "7'?6q\xA3"
    "m^W_aZz;JO3P.g|w@=op[`BFL4,x(~VDM:Kcf*jiI!/ Y#-s)lNHhy5SnuT+>&{2r}8d0$Q9v%CREbk1UGX]<Ate",
    "Zg* 7#h;fW'.OFUq=6:mYA%Nt~u\xA3"
    "!LxQCzR>^K{P1?G@ap<HS,BIy&)3]ni-bd[cs/2JXkl9oVj40$MwE+|8`rT}De(5v_",
    "P$Qo.2C;fdEK/U4!XAJt:T(]75?%Z)`c,}9R-{~gnuleDN8x@rF0spySWMa\xA3"
    "[b1#=*Y'O&<3jv>Bi|hLwGq^H +_6mkIVz",
    "IA/,]&q=s8v%S3Zpr`ul#*|wYijbR;ea4f:M9g2@Q^nz1d$h0m-HL.\xA3"
    "CV {_Dy+W?X5[7EcxkBN'oPUG}<F6(>!tJK)OT~",
    "F^MZH0D1]=wy\xA3"
    "OtQg%4@C;.<),l6rk$Af{2+i/:*vsXVq~W}eub_[IN8E>xap5m'R?L9J7 -z|(c&oP!`GhYBT#SndK3Uj",
    "%[DFe}]80LI9fq=Quz.Z;k_-`&,En!*g+\xA3"
    "i{~Mc<JsV2O7#@6Pr(Y:RAtv3C^BGHbd4y/w1U>WaxmX 5No'jK$h)?TSp|l",
    "`PT%E#137y]_WOX{xkjH@phu)ag0lFn?-L~4VU9Z.dfq'>5v<MI=KDNte&JQG|w^,8Cr*\xA3"
    " bsoY[2!}/R:6+S(izmB;$cA",
    "!C9'^)Q,j.KW|/:Vw~e[EA$GrsNv3*U]?15JB}H+`ZM%D =tok(dP4z>X@02u#ny6mbg{7SiFl\xA3"
    "T8hRaLOxIYcp;-f_<&q",
    "\xA3"
    "{bK|O`RyetGx'Uqf!Pko,%muv@I#=_B1lE+i*j~< .DH52;?Mh/(nVC4z-T]LW[08XFaNJ$}p9:A6s)&3SgdQ7c^rZ>wY",
    "U{n#LHf 2A.*zM%5F6m}qySw+E&g8DIK`Pc;:[1)C4|^-G>_a'iR$9N\xA3"
    "~XWTQjul3xrJ70@YZ<sbV,=pde(vtBhOo/!?k]",
    ",U']Q85FWq37gc%RYojBr0nIsOx&kh $_+V6<K{E|`1v@#J~Lpl(.C)-2?zS*:P[i}yDGXT\xA3"
    "u>w;^AdtmNef/Ma!HbZ=49",
    " *GDW{=^pi+%3Px5/jZ_6Kb|0sd@2!8eN,Tkhy'`wHaL:&f]nvr?()g~Q1tXB<Vo\xA3"
    "q$IE#-UO>uJSR.Fc[MC9l;zm4AY}7",
    "I0V.<Blo;j,T-PWvA_*`rn$M]!9ki}~2=HUw|[8O{^#@\xA3"
    "LX:YzE15FNmeh47pc'gQsC3R6tD/Jq(%?dx GfSy&)u>Z+Kba",
    "M&GS!LT?yb5aifWk-NK2]/37\xA3"
    "U^[t1Vglnh9s+ExJ*P|<6'u_dcI~,{w.Ov:rz}Q>AC;mHe%#pDj4)B@o` F$Y8(XZqR=0",
    "&h,vk1eiDOX%YLf5}P/qsc#Ho36=8T{p<G[ytW!BKa@~`m]nJCIzFS:l4 Q_2E?bV'^x$+wd*NR\xA3"
    "Uj;rA>709()Z-.gu|M",
    "n?U(Rq-!+5ro~$>KTdM}3CeQ0OPh.<8GbkgEN)94W7/fZXV[#SaxIAD6z\xA3"
    "Jw=F*BHc%uYlj:@&1,`pL '_|mtv2y{s]i;^",
    "dkDUGRg%2WS#6_OE]8Fl<&*3w,vP!rAJs-90}BC7=f'ZnYIui xbq@H~c4j.aLNm;\xA3"
    "Tp{eX[zQVM:5?Ko^h>)|$`1t/+(y",
    "{=h]<x`$FQCv)emKHoDULa8!O?c^/2n7:.'0A,|1-tkfGP%Zs_&Mj[6qT9X3d*yV~>\xA3"
    "iI N@l#BWJrpwu;EzbS(4+}5gYR",
    "vJF$KL]Qegzp?N@BIPx)G=}&c'(4TD/:^!COso8a{hi5R[qy<V.rfu1,+UdY>;t|ElH_M9%2wk-0*\xA3"
    "b#XSAW73`6jmZ n~",
    "j5}U~L/O8=)_R<q6(]ylHG2[uD^N!JndtQF9T-;C pYb@`|a'+f1MzZo>h3K4Ae\xA3"
    "0x#:{&i.E?VsPW%I$vcgSwrBk,7Xm*",
    "r]:$v&[3Cj_X\xA3"
    "9,L}.o)MkBel67T4EOzi(;2WuU>t'w#G8+Kh0f{JSgDR~nb/a<Y?pqF!V%x ^*ImNZ1syP`|A-5Qc=@Hd",
    "$|#QDhpuKLYkGw`?If^sFnBbj-lN] 4r*:5dCXSTO/Mq!H[7@te(WaE+2P'z3,;9)U%J_vA~0.{=<yZ1gRi}>x6&8omc\xA3"
    "V",
    "7$1bBqA\xA3"
    "oJ*'dn#ET?p;]5H:@j!lPwQZV>Km&z6NX{})Dxi.y^tL-W4~hS/u8|_MYG<[Ff9r=O20gR3 `%aI,kecUC(vs+",
    "^t~ 7?W_SITpJ<oPw3fF@+$AULBa&`E,nyY*]mZVgkM9>)[8eQD6s'v/lu{4.zcHdX!|:rO(%C\xA3"
    "1qN-2G#jhRi=;Kx50b}",
    "1w&p'*?%P[A3Bro{Qc\xA3"
    "!<UOuI)_|f9YxDe]b~,qj#sEyWg0da:^ L64nh/i78R(MXG=`zCVl;$tZm.+-TNJ}v2S5FH>Kk@",
    "i|dV\xA3"
    "zAt;hRSp+2#40PT<)NlIByG$J3'*-~bMO(kv:8%w5E}^Qo`m=Le.K,Y9 rXfa/&Z]!17j[H_?W@6>DucxUgn{CFsq",
    "La>\xA3"
    "@26E{Qen 9O]uT+fXbk:D`Bi^z_-Uto$lw<5AS4s~hr1&.MF?!3ZgG[%vjp/c(mH'YxK|RN0)JV*d#qIyC;=,}87PW",
    "~Hxs'l7b+Ddm4M^vk>!ZXVi*Io9.j(1CnyLurg|&pKQO]6\xA3"
    "_[/G%E5,Sa0UAWRt-=f`8e?PFqBJ;{z:)TN#Yc2w @}$h3<",
    "fA1#I }Q.~:Mt;8JaF/)m@%s(N&cY7KPvLj4dVR[Zo-+zw6'=WEO9_iS\xA3"
    "y>T!0u{HDrg]lCbG`k2n?h,q3UpX$xBe*|5<^",
    "IML _ecAS9qj]wKaZ4=.1$(T2,;*B[3@>Rv/!bUE<pWh)N:O}C0~smi+`lo5^'|tHuJkGyYFzg?x8&#rP6f%\xA3"
    "d7VQ-{DnX",
    ":.u%TRt-{HFnVE<0GCb/NgXks$PjJ@L`pa(,B*W_#[59=6&dKfQ+UvOAD|~M71iZ;]z}^!l 3')ywmrSch4q2o8x\xA3"
    "Ie?Y>",
    "{y$'~:!KzAJG}_PV2MYQ%]1LDm)X5H`T,exbj+=g6WrO9th>@E#?[swu&f Np.\xA3"
    "Z(F-lR;C|0d4S7ncakB^UvI*iq<o8/3",
    "> $,V5ia(XD/MCBk9Wq\xA3"
    "|:`F8RfslHbv!?J)tQ7[o*=OUNTju%z&}yGI;0rL3-^_K~hS@'w]A<eEZdY.1246gpcm{+xn#P",
    "+;ZvEer0Jp]'>5K7:{yiWSg<.zh&1^ t=,kub*YB(cq_3R!OFC\xA3"
    "8X)HVs4lf}Ijo~mnN?@AaT[2M#9w$%/6P|Q`LU-GDdx",
    "rh)8%4s`(dRML\xA3"
    "[>Eqxbp$Zf02}DeK?cSkI6_l,={!VPzA*: |O@oa+X.HiNuTCQ1g;n7<FJtj9mv#&WwYG5~]'-y3U^/B",
    "4TQjp'WC/fvc1lJU?;oe!-8@{L7_d:<OI% B(D9xw0~)&$ENqiVtmu2>P,+Xbs3hYz}F#^KA=6n[g|SMZaHGk]5*yR`.r\xA3"
    "",
    "{tQdUJ'>B.?7Sg:o#Z[2,=lC/xH@K }`&iT-]wVcjEmI;$<k1(8_0eu9F35|)YyfN6\xA3"
    "!vX^+%DbL~PpraO*GzAMnh4RsqW",
    ")z5U*q[NO>s 7y+<Ec_.Wv~Xtwbr=`C(YQ2mT4BZPo-}#Gn$eVa&l;J|Li{/1S]Hdhpj@!?KIAD96F'x:Rk\xA3"
    "%fM0^8u,3g",
    "iY2%e X8(>V]BI0@N&l*D`'F~RET;Wpd7gaybKk={P,!As:O?c6q+$31H[#Qv.<U9Z^uCnwtG4_fL\xA3"
    "J/5r}johS|x-)Mmz",
    "y&UDdzr'gi)P*`1+Zn(S{0_Q}EtBWo:Ip|FJ42;/mYku-^v#%<Oxqs7fhTa=3\xA3"
    "$cR@L~e?6,wAl5].K8 jN9HMXVG!>[Cb",
    " *rzks#KD$oB\xA3"
    "i3qe2At^wLyY(F_b=4@6O/9x)IguHQ!%-:G<1n7&?8}XlNUcME~]dPJSvV.>W+CZ`p5'0[;Rmh|{aT,jf",
    "[*g&]3>0z5~2Y\xA3"
    ".PSOFsVvt7=IU/{Mx:oab,(l|8DT#$K-?HC_!h+m4`}R)u<1irZWAqf'L Bne6p9kwE@cN;dj%yG^JQX",
    "S%?`9CpGI)z#R7n0+}kX>iB/f{V8](^:$vlYyDes<aoF!;5|E mh6M,-=xrju&O*L2bHw4W._~1g\xA3"
    "3Qd@ZNtKTUcAq[J'P",
    "j\xA3"
    "<gpT-'X5k3(>0#L)siA}Km/|1=,de9[Icu.%rHEt;_@UBlPG&zF8]D2!QV+*YbfqZ$Mw?haOv^Jx6o`4RN7nS~C{ W:y",
    "SBW@-t8f96J|wAXh5?l}e(:[yM*cG1Tz,2&K`rdpHbEkZ)Rg'#/Oju!~s CFm7_NIP;+aioU4nD=Q^\xA3"
    "30%.Y{xLVv>]q$<",
    "5a~V[d,7NK(l3h`Q/1EjxM!#?&iYT;ur$oUzFbg*@%ewL6fvX+\xA3"
    "8ck:t<SOG^p's{q-} ])9>DHRPAZm_0Jn|2ByI.=CW4",
    "fQ@Yd*)2s.UuWx ]m',`F%opME;Z8^30>CzSK|vjN=byB<}?O$e:(/VcDXw{[16IPHLa~#9RJ&k-Thi_nql\xA3"
    "t74A+G!gr5",
    "cRwaCyiq<!|_tWm92xkLpT'J?^G5Y8%u1-gAN}lre;QD[n@({,4)]MVP`F:6E/+I&*d\xA3"
    "jXsUS.fz~K=O$>v#073HBhb oZ",
    "Y5]>!/|@R:(^ojuP\xA3"
    "vl[a*~LF{sr9T)0B4X,?'n<1z8cOI_MxmCwNi`dHUg%2S;-}+6.GE=DKft7qVe$#QZkhW3bAJ&y p",
    "_Z,Jb-?E4~lo{Ufpv^['+gYM8dRaN/G@$jS)9K1urx\xA3"
    "H*T6zcW.&Fi3nw(=t>Q0IA!#VXLs5}7 qO`hm;%<]:keB2|yCPD",
    "D6Bp9)}\xA3"
    "zCA=vrW21]$|q%FY'!uIT~;xe4Lt:+NJ-[oX_lSc.E,kdOa#0H<5Mm7iQ/swh3P`jKV@?g(8R>* Gy{b^n&UfZ",
    "w1'Ngs$-uC5efoVDQz}IBX[/@KLkqAZ,lT)HU<&|Fpd>rYJE~ba^#7y{ 4cOhS\xA3"
    "3%(_i8=mM`P+:vR90;xj.?W6nG2*t!]",
    "0}_=/w~BXNU6W%SyE)[jZ;1>:fPuc{nJ@#M^m9pV!\xA3"
    "bk-o3q+t'TK`x,LR? *IC$F|(zQ42OAihls]GY.ag7v<5d&er8DH",
    "w65V]=xdgN7)cv Jp;{.%zt~2LI(*3Sb1e8F'CQh_sM+^G!r9RD:,#@Y`onUOlXK$TWP&[/\xA3"
    "4uajkHBfA|qZ>i}?yEm<-0",
    "j&-eMQlS<VG;*!/wRgP>?Lc|_W~bN0D.ars7:4q]$nXz+62B` Kx@p8A=3[#(1FZfI5O}iET)k\xA3"
    "md^,9tCYUhHJy'{ov%u",
};

// Rows are the five key rows, columns the file kinds 0 to 6.
const char* const kKeys[kKeyRows][kKeyColumns] = {
    {
        "h+[q%>{T,W!nFic]h;\xA3"
        "EN :nX}(dm!c8T%{1|1Pv@zjOSPHJ{94Cj[mai9Nb4;Z`"
        "s4|G1`7e_aS|lY'6tNL'H@)'(A$Snwo:",
        "{0{{]+Q[9`bKkn*A{|>s0I{x'm;t:<eaV1([/1hV(RVCvVqYcPD=PiJ3n@KR!E9i"
        "R9hq8-$q=yL# &o,o=.3?=Y;i3*&6pMJOeAx^/?@Q}eh538ve{l?8:B4G-%",
        "}r)''/7Xh#$arhTbji\xA3"
        "Gq,BF ?LeYMNbBdmf`2nd0ntZ>+au12s|p?^Z3}+o88VC"
        "@s<D3jxg0+1e9cq+wiN^IV99k'`|O=V{NF;Pl}6KXG(lGn\xA3"
        "7Y!/qy3=|[lhw+Q\xA3"
        "t"
        "AWN(9([u6<[9Ryc1v:.<YWLboUQ:L bK|Flv%uG[R-.4Z <KFi!P#4X.Rtoai>_J"
        ";u)v,$df`}",
        "zImz?+R~d~o0N=7t&{up?_ZG_#}6OxFix(u5PW%^A@1k`qMhMPTP,Xhq8d2n(4>'"
        "_Uq]s{[2sR@o#W*&Y(PMEaE8)'x?Ft2]*%N>`4iV9c8u,WK`(8MX$a;,v]]oMqPt"
        "(?ayOztG}S{JwegFX\xA3"
        "*M-m7gD_]@/ZWPR$+`7j^!!~K{h{Q]YlFu+KR~,a}8:T8B"
        "[7|c=<_O`",
        "1L\xA3"
        "A)pUq]=I`=zD8S1ns;*@jO|va[#S9T5GsJ6p+e+VI,v@MR$_.P_(nYUM8tRQT"
        "8#lO|8)&4X\xA3"
        ")_aQX7wj-sp8xd`]gW-s2t2yEK%n",
        "}O5GetVZWxRGS)y}B2'u=VgJrjXC:H?dI-RW$[O(xqK/fc+(5@d@]o\xA3"
        "fbSXpf.4["
        "v&{R=UTKQ,$d)5;OoyN?[-iaWFHp:ZwkTr|:t_-hN*VzKCnf8!{N~}heLF,1b('h"
        "kG.#;Ed)q'Cr%`kpVU#5Y]ulY5QHd~tb/1ci[|Byvh3 IgTeDr$>fa-nf'$5Q3!/"
        "8&:c0}(55d6C^7l32{|< fs?8",
        "ZRJ=bt9Br-R*.uMnzPU1y<ARr${XLkNo T3I3y8:HCc2n;.;T$r*~Wpo:as=~*,V"
        "zB5H])BC=p}=-974Li>5Um9a>h]}B48#k\xA3"
        "q1cNZ|*X{]=n:C.]Sb`_A3]qzUy9C^"
        "BfZ>r_]1",
    },
    {
        "wAob0XA4U=)VM1OeG*iaKh*kcHSarK4.Y:zTtr}x\xA3"
        "|PFpS/t8z!`&F<q;#vR2hME"
        " SL'yK[XI`t7JPrc_0v?K8gnl?Ds46Q5}SK<v!_7tnFx$>p@NHn:9}1y(MH&=Ec7"
        "Qg",
        "f;Gp|iGf}56fy3Q:\xA3"
        "S..IqyWg6@dQx:Oycq_h@8#AmWPCnL}vy~0+`5t[=Bv,gFk"
        "'x*:$Y*8;4 >zG~>-!WwF8SB]9Fyi}PdID+P0[x7@P^NAuZo4h+M0a./<qkXjAu8"
        "U.f[dx)sOeC@(Lq^DvA5:1n~g/Bq&cUtq(lR75B3QZ5:ZI}@|hFf(w}2u8$$pS>u"
        "+|pzhPQYBQiR'\xA3"
        "UX314Lm]",
        "T< tFLAF#&*@Yvc|f+`/CXT`O.gqO}mlQ@@J4Z@ApYOT#N6lw-j><R:-30 =4Ycb"
        "'0>;MN*HKZT/Zt2|pZ@q|?GEhTW%_hoFh%xWHR3=47yR%?x}3v3&V{SpxD]//H*$"
        "+3AG^x",
        "^,C@D6GDO!><bSmA6fx9>{*^c}aiUNMOM'gWj}|Yy!v'[|\xA3"
        "UQoY[OYhKm!i\xA3"
        "I{26"
        "a5E<[xPUJ#euv)F)j\xA3"
        "O(9[.mnwO`K- z;'{Gh|):o4!+LS602;aSD<[98XfcmZm+"
        ";.jQCzQ=PnoqK!OvT>^(\xA3"
        "4h@Q.VDjOmdw#;Pv~~|,1^zZ|3- @jU.nrWj*tG^_CV"
        "zhAH\xA3"
        "h7",
        "(&xy/n^'pT0FsypA'\xA3"
        ">AYk03Rx7_~'<sqh5UkY2;cJc5m+%@+%gw;v#aULWN+]ne"
        "-e6AhE>~t~>c3)@o2;Gg+t(06%?[!#v_X~pigprg8C>J.M@}lU#\xA3"
        "!SK_vjR$il9["
        "_<Ci-]ZUhC6Nc<_-8#_fSGKIh8N oMrGC'S$_TOS|Ho]rg?8$zs+Mr:srHGdQpTJ"
        "p;{>tZ[mL`)yuF",
        "h.ZG>w{20S-+J6\xA3"
        "Tupg6h?$\xA3"
        "g!8H5315zJ6{//yP\xA3"
        "G;gZB,B5zEU/!,dVAu68TC|"
        "p65uWLyJl1<_uL\xA3"
        "aMz03imn\xA3"
        "vjn4:i^XY7C]%pnEwGU,Lqu9Jfvc~&.oRUH_,#e\xA3"
        ""
        "$sCQ@$q..u4&0],+K$e+e^WX",
        "PJ&-rxks]XhNT=qftSaq*KJ20?J,:LT({@#=~N)YEjG<5YVh{/~W&m;,s85es#))"
        ")k'[3%qbkb(\xA3"
        "Y@ebK<XG<lk8nFK2ir}8+f'Mo;nno[{>fgzaeV.qPQ6G1Uf~=]Br"
        "e1]^x\xA3"
        "alsFJSwD7j+:u#j7k]h",
    },
    {
        "oEU;UzJbb.x<w<.h<z+LC]2:!4Y!;3/9#+j0S(uM=C@^F<ou!vMK<=:iO<6G=S/s"
        "fNh-xT>J50&EuR%2fY+!!D>8|u1'Hc5ImOmlcA~USI@n8S]qU-6[Gt)cUuhuRCXS"
        "=Y(r%O@,n, )g='s{}/]hw$onQuHoM2w#VPi0*W*4]mKksy7r/:}$^p]) 79",
        "WGaM*-R>zz1.*L~Y.rj[7tW(]#6.w?rdZ)Y!ktWoCV&'|8$4BC,uBG/tR@)<Sav."
        "$Lj#&u*;'C{[>:Z>-I8Jlst1-E+2~^QtjsEuU=HqY)[%*OPt5zny#|;a$h?b9q07"
        "6",
        "0>P`Ll^ME3yClk-w7>Id5Xj; n{NMk-~lQ[N1m03(OX?rxSI^23zpD6Hcu.J~}kB"
        "|>wfKvQ0/bG64ChJnh^K$_JC&CarjulKnJQ5HwK/`{Eya-.i* ,:KTgq)2",
        "^=mR'#3<%3:s{HVmF;N8s\xA3"
        "~lB X%Bo1mpga[0LnRS)^a2O[k/'Hqrd0O5Uu4{]RX"
        "jK`k9BK%*:}ujikE>\xA3"
        "8}~OFp~hUIdOTz8:8bp%1)]zJ:M3R4q:*BO6",
        "NmE1F2*c`=<S]G%fG.otm5L'8Wa_w[<)Ti{H:lofId3tw\xA3"
        "~G?EN}JEueN>Q[cbnw"
        "=\xA3"
        "Be^qr,3|@Sd/P*|zQ3$cv?I3#X:#wVL`(006um)ZG-[R|013:EVv2p~[!;cHp1"
        "`1],.l",
        "oD<hReM'3lk!vHh8^&2Z>(!|G9k7d/p5`2kTPLH,Y[AUxRds.qD38~itFOJtEHJ/"
        "=MS'b^>fit{Ci!<>)~Tbbqow(_[dWe_Z}]0s{]",
        "5z:ms=gk\xA3"
        "CJg6)OG2|k]:6,Tx +6i}Hhati$RC4:GY8jma1ykA)?FyoU?nw&j-TR"
        "f7}E-w{|R:zo;;H+a24F~tNigN6&~gZ61sUmu9BeJc_?v10hM>_\xA3"
        "=tgohoXko+~9"
        "tKWo>et8?.fqP_m[x1:1;s!!}E^+x3gsCb6yncpx{U",
    },
    {
        "nU47_u8oQiye][`oRmeE:j,aK1x)xh&IFvR[1I^qVW [;F5{6weQ4gjn~t=]#a}I"
        "8+HKB{9s{\xA3"
        "s~wI8Y}N,MHh!4*a6e, rb`\xA3"
        "Ld`)4'@Pm^fYD @LIfrjVK<n<B(hFx"
        "|j;K) [fT*5[HgJ#fW/CW8q7wO/L#oQY7%uXe>MMdH.-Q6 td9#cr?:7ad;<{T1w"
        "X<?Q@gNGxG6XsqI4n#R&P,?vE~C",
        "Z\xA3"
        "c\xA3"
        "g)Ugqrz%K_W?R+U/\xA3"
        "#cl8DI3UI5M)l>tS+rphLscfr-js(< 2m3@a4l:>'C0"
        "{O1I}pHe7|MC1*mN'qrXrtg$_@h3eKr)nZN/]kn^U/Q|VZc^F$@30Eq)e`mW1h(Y"
        "|7aRt{<rJh\xA3"
        "\xA3"
        "B!g$(tlS&uO/2:F6GsMtOBs]o|O.k$RF' 3jELfI91)tuYDCN}[p"
        "i",
        "OpgN*cwMKnf&0 1H'g+{^=xL>*NZUmDS9Qbpqi]==*^;!X`aGOYqx=<Od83r*wL;"
        "d|rj}a<u&STd-uQ+5++mNud_]9bs7l&MHA?$DL7Opn?/D8o'>$-%xYgKLgw{s9il"
        "CQ:Z:*Fni.,R9iYV<o42&blH}2F",
        ".1mGmZRF@Gv3x2?XU~Nyw(-{xW%v3X?`56h!BdO<f|i{dR83:!^_ @U@DpbI;ft["
        "|[>-GVe@T\xA3"
        "['CjLR/1t*^]7@v5,\xA3"
        "<o'-khv8TV#6W]=EAkq/vzj/(WI=%7tjc9';"
        "04!AJCe4T{0c>;|lar0pA{:s3K$EQSlxS87F+bR= pb+}o*,m5v5gDuclgXQh'4\xA3"
        ""
        ";ZPhy0v%$un30FrOp7",
        "**EIreF1,'h?^[Ms;\xA3"
        "&_KHIs87##mLo\xA3"
        "e`LplM5srZM9=K*JG+fNo;hvk8>>mJQ]"
        "@ndTY8!tC>OI04SiQ~p1Y^'6`JIIqg}wabKtD~d,!lyO2i)mK? qqmX!G/ QTBEU"
        "JYR_hd<(L0~H]7f&2u(B,[_p]}4kdqp0O@DnU+@yd7gRD/'1}n4_uCCvS<\xA3"
        "692iS"
        "YM&a0igf';;@S4 h%W~NS@`",
        "T8f9]H711NFsc^{$9oK-Ogby^bN:FK|D!o%rOL6s\xA3"
        "[]fKf(^Xj@x/7w{jU`]GS=0"
        "auRInhWyZeS{X-z>pAjYwWx_Zs1F",
        "cG#muaDj`%rly3I3Qrs$@cR[UAxlhRk?)ZndiT\xA3"
        "udn)rzO<[_8dbObU!Yaw0(uJW"
        "DBDs0w]7C!D3nYDe}4ZJ#&g@^Og2|zZJ{WAmfY'9me~>|tpl%q>|gkx^CG+W;t-2"
        "D;waJ;Gb+O*P3nYt\xA3"
        "Iwn]wnBc}G0Td=+V*CDVQ%`a3g~PGja5X>cx=",
    },
    {
        "g?PC3^cKgo8\xA3"
        "+H?Zn$c7[VC3w@,jXThI^3`1Z.aB54n |)=6b(8B&[= Ar8:}[=p"
        ":r\xA3"
        "6LKIbb_c=9WmTB-'<n3V|u:$bh4,`jwUV^[;k-V'O*W1I^sWa# z8\xA3"
        "M//sjMz"
        "H+1*B)[![e%7hR*&{uO,3[9pSmg[Vx8v\xA3"
        "^Od",
        "VTgwb-G*>Cx'<e/_Puq!GlnN[=)QbAI=6QhYQHtS@7=f4JD;oOlewf>xwb|HdLd5"
        "jB5Pt(sVM=$dDw!6E_Oe(l8bH1SZtr8s;0$hlyhRc$bHM*9|/Mq/3xV7X-sa )'\xA3"
        ""
        "\xA3"
        "SLqx\xA3"
        "i[+m0XuWcvm#/R#_}AKxUbYlGF01r",
        "..xQG*-0mts)uPC[EGpmA1kUSuU=?YAHO2)QFR*8/$$IRfs%FU-s`:g2rL(U#:J>"
        "@nT5  2K@.Do.qD(m\xA3"
        "J8r=}Zp%6}35u/A_>;le=3V*$YUYA>i3u7RN>P&otvJi`V"
        "*mW|cy-3X>xG?}n[1Y:%_L0NRnNs'M-m}0dU#6U5ao8{) P$<i(ci[ZzvblJBA^",
        ":vcYU6[h2FeB!-M s%-ZMSq$D[%$]BY?GFddyi-6~s'wRE:o+E:5;R\xA3"
        " {ep;{Lz\xA3"
        ""
        ",.L<O9wE.+u>!$Wg:%Ml}wpjw5SW*Cq?",
        "%S9@fmnamwft\xA3"
        "0HfNVx6;FgjJm@kV?^T{Jg k:~QU{:oTyYPT6vi}`.!53:A[PD1"
        ">HbgL5wR=$K3$FtC =w?2Zy5}}uYv&UqnQ!kjmvOPULe-X-ZqO-GsMrw@(9,)][u"
        "dS^mOb8i}YEv18LeSM]&fyQo=ow:.60^TCEuK@<J;yY>d",
        "Ae.g$C_c\xA3"
        "9;(Z{\xA3"
        "ed~4~UP-0Nk(Yg>MV5tJM5;G8o2[;G?bS D^N|cFM3heVYbCw"
        "G$h*-5mM(:%ojg~slAS4&`C'qeK+;/9j1_)syW{_NUus,0?{10~`,+:$4i(lRA`."
        "V-8kYqt3U@8.u|ToG)[U~l",
        "+})jmUci0nvNjR#dm_u`>oPzBZsEZV!;w_dl^k/H%q3F%U3C*/MJfz>Vm=_)=9%."
        "!NuH1^j& }sLMsA<-dONf$:_(_4?1RA{qHOBGsR&r6><)H(oWOjBYHduKyn\xA3"
        "",
    },
};

const char kStartupKey[] = "Ex3uo-U*#|p{2LW0vMqmGqaH<UJJzH.XV(>d:J=]#kS:j%@39Je>q{)7]Yn>_]Qr"
                           "HYU4y1 p7yyS9aO 1Dv V6Q#Q/1)i64F^AzHP%i=A{)|8Yxe[S";

const char kMarker[] = "MDe7x3qbhjsXyjj1L";

}  // namespace dorvel::scramble
