 
Sub SLD___cQc_tln()
 
 
 
 
                          SLD8a(1).Row1_z_IDfull_8str = "cQc_tln"
             SLD8a(1).Header_General_Description_8str = "-5435"
                       SLD8a(1).Header_Fr_UseLog_8bol = True
                      SLD8a(1).Header_Qc1_UseLog_8bol = True
               SLD8a(1).Header_AuthorShort_4Row2_8str = "tln"
                           SLD8a(1).Header_Chart_8str = "KAVOCHART"
              SLD8a(1).Header_AuthorShort_4Row2_8str  = "tln"
 
                                  SLD8a(1).LinesNUMof = 2
 
 
SLD8a(1).Line8a(1).LineValue_8sng = 0.2
SLD8a(1).Line8a(1).ptsNUMof = 2
 
SLD8a(1).Line8a(1).pt8a(1).FR_percent_8sng =            0.10000
SLD8a(1).Line8a(1).pt8a(1).Qc1_atm_8sng =    10.000
SLD8a(1).Line8a(1).pt8a(2).FR_percent_8sng =            1.25000
SLD8a(1).Line8a(1).pt8a(2).Qc1_atm_8sng =    20.500
 
 
SLD8a(1).Line8a(2).LineValue_8sng = 0.5
SLD8a(1).Line8a(2).ptsNUMof = 2
 
SLD8a(1).Line8a(2).pt8a(1).FR_percent_8sng =            0.50000
SLD8a(1).Line8a(2).pt8a(1).Qc1_atm_8sng =   100.000
SLD8a(1).Line8a(2).pt8a(2).FR_percent_8sng =            5.00000
SLD8a(1).Line8a(2).pt8a(2).Qc1_atm_8sng =   200.000
 
End sub 
 
